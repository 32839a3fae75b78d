#include "texts/texts.h"

#include <array>
#include <utility>

namespace {

// Each name with its text; the order is free, the completeness is checked.
constexpr std::pair<Text, const char16_t *> kTexts[] = {
    // editor
    { Text::TitleCaption, u"Titre :" },
    { Text::YearCaption, u"Année (aaaa) :" },
    { Text::RunningTimeCaption, u"Durée (h:mm) :" },
    { Text::DirectorCaption, u"Réalisateur :" },
    { Text::GenreCaption, u"Type :" },
    { Text::ActorsCaption, u"Acteurs :" },
    { Text::SummaryCaption, u"Résumé :" },
    { Text::NewCardName, u"Nouveau" },
    { Text::DeleteActorTip, u"Supprimer l'acteur" },
    { Text::FileMenu, u"Fichier" },
    { Text::NewItem, u"Nouveau" },
    { Text::OpenItem, u"Ouvrir" },
    { Text::SaveItem, u"Enregistrer" },
    { Text::SaveAsItem, u"Enregistrer sous" },
    { Text::PreviewItem, u"Prévisualiser" },
    { Text::QuitItem, u"Quitter" },
    { Text::SearchItem, u"&Rechercher sur Internet..." },
    { Text::PosterMenu, u"Affiche" },
    { Text::FullViewItem, u"Afficher en grand" },
    { Text::ChangePosterItem, u"Modifier" },
    { Text::RemovePosterItem, u"Supprimer" },
    { Text::ResetPosterItem, u"Reset" },
    { Text::PastePosterItem, u"Coller l'affiche" },
    { Text::AboutItem, u"À propos de ..." },
    { Text::InvalidFormat, u"Format invalide :" },
    { Text::YearFormat, u"L'année doit se composer de 4 chiffres" },
    { Text::HoursFormat, u"La durée doit se composer d'un chiffre pour l'heure" },
    { Text::MinutesFormat, u"et de deux chiffres pour les minutes" },
    { Text::TitleRequired, u"Vous devez entrer le titre du film" },
    { Text::SaveChangesQuestion, u"Enregistrer les modifications apportées à " },
    { Text::OpenTitle, u"Ouvrir..." },
    { Text::PosterChoiceTitle, u"Affiche du film" },
    { Text::WrongImage, u"Fichier image incorrect" },
    { Text::ImageTooLarge, u"Image trop grande : une affiche a au plus 50 millions de pixels" },
    { Text::SearchPrompt, u"Entrez les mots-clés à rechercher :" },
    // viewer
    { Text::ViewerYear, u"Année : " },
    { Text::ViewerRunningTime, u"Durée :" },
    { Text::ViewerGenre, u"Type :" },
    { Text::ViewerDirector, u"Réalisateur :" },
    { Text::ViewerActors, u"Acteurs :" },
    { Text::ViewerSummary, u"Résumé :" },
    { Text::ViewerFullViewItem, u"Afficher en grand" },
    { Text::ViewerSavePosterItem, u"Enregistrer l'affiche sous..." },
    { Text::PlayButton, u"Lecture" },
    { Text::ViewerOk, u"OK" },
    // About window
    { Text::AboutTitle, u"À propos de " },
    { Text::AboutAuthor, u"de Ombrelune" },
    { Text::MailButton, u"Envoyer un e-m@il au programmeur" },
    { Text::AboutOk, u"OK" },
    { Text::PreReleaseMailTip, u"Une erreur s'est produite" },
    { Text::BugReportLine, u"C'est ici pour les rapports de bugs..." },
    // messages and dialog titles
    { Text::FileNotFound, u"Fichier introuvable" },
    { Text::SavePosterTitle, u"Enregistrer l'affiche" },
    { Text::SaveCardAsTitle, u"Enregistrer la fiche sous ..." },
    { Text::WrongFile, u"Fichier incorrect" },
    { Text::WriteFailed, u"Impossible d'écrire le fichier" },
    { Text::ReadFailed, u"Impossible de lire le fichier" },
    { Text::UnsafeFolder,
        u"Dossier de travail refusé : il doit vous appartenir et n'être modifiable que par vous" },
    { Text::NameTooLong, u"Chemin trop long pour le système" },
    { Text::LinkRefused, u"Un lien symbolique se trouve à la place du fichier : il n'est pas remplacé" },
    { Text::CardBusy, u"La fiche est occupée par un autre programme : réessayez plus tard" },
    { Text::CardChanged, u"La fiche a été modifiée par un autre programme depuis son ouverture" },
    { Text::ExtensionDamaged,
        u"Les données ajoutées après l'affiche de cette fiche sont illisibles : seuls ses champs d'origine "
        u"sont montrés, et ces données restent dans le fichier telles quelles" },
    { Text::CardChangedChoice,
        u"Enregistrer votre version remplace celle de l'autre programme ; "
        u"recharger la fiche abandonne vos modifications." },
    { Text::KeepMineButton, u"Enregistrer ma version" },
    { Text::ReloadButton, u"Recharger la fiche" },
    { Text::CardRemoved, u"La fiche a été supprimée ou déplacée par un autre programme" },
    { Text::CardRemovedSave, u"Enregistrer l'écrira de nouveau à cet emplacement." },
    // the collection window
    { Text::CollectionCaption, u"%1 – Collection de fiches" },
    { Text::CollectionFileMenu, u"Fichier" },
    { Text::CollectionCardMenu, u"Fiche" },
    { Text::CollectionViewMenu, u"Affichage" },
    { Text::NewCardItem, u"Nouvelle fiche" },
    { Text::ExportItem, u"Exporter le catalogue…" },
    { Text::CloseItem, u"Fermer" },
    { Text::ShowCardItem, u"Afficher" },
    { Text::EditCardItem, u"Modifier" },
    { Text::PlayMovieItem, u"Lire le film" },
    { Text::OpenFolderItem, u"Ouvrir le dossier" },
    { Text::TrashItem, u"Mettre à la corbeille" },
    { Text::GridItem, u"Grille" },
    { Text::ListItem, u"Liste" },
    { Text::FindItem, u"Rechercher" },
    { Text::SortMenu, u"Trier par" },
    { Text::DescendingItem, u"Ordre décroissant" },
    { Text::SearchPlaceholder, u"Rechercher : titre, acteur, réalisateur…" },
    { Text::TitleColumn, u"Titre" },
    { Text::YearColumn, u"Année" },
    { Text::RunningTimeColumn, u"Durée" },
    { Text::GenreColumn, u"Type" },
    { Text::DirectorColumn, u"Réalisateur" },
    { Text::ActorsColumn, u"Acteurs" },
    { Text::OriginalTitleColumn, u"Titre original" },
    { Text::SagaColumn, u"Saga" },
    { Text::SeenColumn, u"Vu" },
    { Text::LastSeenColumn, u"Vu le" },
    { Text::RatingColumn, u"Note" },
    { Text::TagsColumn, u"Étiquettes" },
    { Text::LentToColumn, u"Prêtée à" },
    { Text::AddedColumn, u"Ajoutée le" },
    { Text::FolderColumn, u"Dossier" },
    { Text::RatingWords, u"Note : %1 sur 5" },
    { Text::SeenWord, u"vu" },
    { Text::YearAndFolder, u"%1 – %2" },
    { Text::DetailsItem, u"Détails de la fiche" },
    { Text::SeenTodayButton, u"Vu aujourd'hui" },
    { Text::SeenOn, u"Vu le %1" },
    { Text::TagPlaceholder, u"Étiquette" },
    { Text::AddTagButton, u"Ajouter" },
    { Text::RemoveTagButton, u"Retirer" },
    { Text::LentSince, u"depuis le %1" },
    { Text::SupportLabel, u"Support" },
    { Text::PlaceLabel, u"Emplacement" },
    { Text::NotesLabel, u"Notes" },
    { Text::PosterLabel, u"Affiche" },
    { Text::IdentifiersLabel, u"Identifiants" },
    { Text::CardsChosen, u"%1 fiches choisies" },
    { Text::ChangingCards, u"Modification de %1 fiches…" },
    { Text::CancelButton, u"Annuler" },
    { Text::ToggleSeenItem, u"Vu / pas vu" },
    { Text::StatsItem, u"Statistiques" },
    { Text::CardsSeries, u"Fiches" },
    { Text::DecadesChart, u"Fiches par décennie" },
    { Text::GenresChart, u"Les types les plus présents" },
    { Text::DirectorsChart, u"Les réalisateurs les plus présents" },
    { Text::SeenChart, u"Vus et à voir" },
    { Text::RatingsChart, u"Les notes données" },
    { Text::RunningTimes, u"%1 : %2 h en tout, dont %3 h vues" },
    { Text::ExportPictureButton, u"Exporter en PNG…" },
    { Text::ExportPictureTitle, u"Exporter les statistiques" },
    { Text::FilterPng, u"Image PNG (*.png)" },
    { Text::EmptyCollection,
        u"Ce dossier n'a pas encore de fiche. Écrivez la première, ou faites-en une à côté de chaque "
        u"film du dossier qui a son fichier .nfo de médiathèque." },
    { Text::ImportLibraryButton, u"Importer une médiathèque…" },
    { Text::ImportQuestion,
        u"Créer une fiche à côté de chaque film du dossier « %1 » qui a son fichier .nfo ? Les fichiers "
        u"qui sont là restent tels quels." },
    { Text::ImportReport, u"Import de la médiathèque :" },
    { Text::ImportFailed, u"Impossible de lancer cinefiche-card pour l'import" },
    { Text::CompareItem, u"Comparer les deux fiches" },
    { Text::FieldDifference, u"%1 : %2 | %3" },
    { Text::CardsAlike, u"Les deux fiches disent la même chose." },
    { Text::HoursLabel, u"Heures" },
    { Text::MinutesLabel, u"Minutes" },
    { Text::SummaryLabel, u"Résumé" },
    { Text::SortTitleLabel, u"Titre de tri" },
    { Text::CountriesLabel, u"Pays" },
    { Text::PlaysLabel, u"Séances" },
    { Text::LentOnLabel, u"Prêtée le" },
    { Text::ImdbLabel, u"IMDb" },
    { Text::TmdbLabel, u"TMDb" },
    { Text::TmdbDefaultLabel, u"TMDb par défaut" },
    { Text::CardsUnchanged, u"Ces fiches n'ont pas été changées :" },
    { Text::MoreCards, u"… et %1 autres" },
    { Text::AllCardsEntry, u"Toutes les fiches" },
    { Text::ToWatchEntry, u"À voir" },
    { Text::SeenEntry, u"Vus" },
    { Text::LentEntry, u"Prêtées" },
    { Text::DuplicatesEntry, u"Doublons" },
    { Text::TagsEntry, u"Étiquettes" },
    { Text::SagasEntry, u"Sagas" },
    { Text::RatingsEntry, u"Notes" },
    { Text::NoRatingEntry, u"Sans note" },
    { Text::GenresEntry, u"Genres" },
    { Text::DirectorsEntry, u"Réalisateurs" },
    { Text::DecadesEntry, u"Décennies" },
    { Text::DecadeLabel, u"Années %1" },
    { Text::FacetCount, u"%1 (%2)" },
    { Text::OneCard, u"1 fiche" },
    { Text::ManyCards, u"%1 fiches" },
    { Text::ShownCards, u"%1 sur %2" },
    { Text::ReadingCards, u"Lecture des fiches…" },
    { Text::ReadingCardsCount, u"Lecture des fiches… %1 lues" },
    { Text::WatchedOnNetwork,
        u"Dossier sur le réseau : relu toutes les 10 secondes pour voir ce que d'autres machines y "
        u"changent" },
    { Text::ShareUnreachable, u"Le partage ne répond plus : les fiches montrées sont celles lues avant" },
    { Text::TrashQuestion, u"Mettre la fiche « %1 » à la corbeille ?" },
    { Text::TrashFailed, u"Impossible de mettre la fiche à la corbeille" },
    { Text::FolderUnreadable, u"Impossible d'ouvrir le dossier" },
    { Text::ExportTitle, u"Exporter le catalogue" },
    { Text::FilterHtml, u"Page web (*.html)" },
    { Text::FilterCsv, u"Tableau CSV (*.csv)" },
    { Text::CatalogueKindRefused, u"Le catalogue s'écrit en page web (.html) ou en tableau CSV (.csv)" },
    { Text::CatalogueWritten, u"Catalogue écrit : %1" },
    // labels of the file dialogs' type filters
    { Text::FilterAll, u"Tous les fichiers (*.*)" },
    { Text::FilterCard, u"Fichiers Cinefiche (*.cfh)" },
    { Text::FilterImages, u"Fichiers Images (*.jpg, *.gif)" },
    { Text::FilterJpeg, u"JPEG (*.jpg)" },
    { Text::FilterBitmap, u"Bitmap (*.bmp)" },
    { Text::FilterGif, u"GIF (*.gif)" },
    // command line: --help and --version (%1 is the version)
    { Text::CommandLineHelp,
        u"Utilisation : cinefiche [FICHE [/m | /p]]\n"
        u"              cinefiche --collection [DOSSIER]\n"
        u"Écrit et lit des fiches d'information sur des films (fichiers .cfh).\n"
        u"\n"
        u"  cinefiche               ouvre l'éditeur sur une nouvelle fiche\n"
        u"  cinefiche FICHE         montre la fiche dans la visionneuse\n"
        u"  cinefiche FICHE /p      la visionneuse, sans son bouton Lecture\n"
        u"  cinefiche FICHE /m      ouvre la fiche dans l'éditeur\n"
        u"  cinefiche --collection [DOSSIER]\n"
        u"                          ouvre la collection des fiches du dossier et de\n"
        u"                          ses sous-dossiers ; sans dossier, le dernier ouvert\n"
        u"                          (sinon le dossier Vidéos, sinon le dossier personnel)\n"
        u"  cinefiche --help        affiche cette aide\n"
        u"  cinefiche --version     affiche la version\n"
        u"\n"
        u"Une fiche introuvable, ou un fichier qui n'est pas une fiche, est signalé\n"
        u"et le programme se termine avec le code 1.\n" },
    { Text::VersionNotice,
        u"cinefiche %1\n"
        u"Licence GPLv3+ : GNU GPL version 3 ou ultérieure <https://gnu.org/licenses/gpl.html>.\n"
        u"Ceci est un logiciel libre : vous êtes libre de le modifier et de le redistribuer.\n"
        u"Il est fourni SANS AUCUNE GARANTIE, dans les limites permises par la loi.\n" },
    { Text::InformationMisuse,
        u"cinefiche : --help et --version s'emploient seuls ; l'aide : cinefiche --help\n" },
};

using TextArray = std::array<QString, std::size_t(Text::Count)>;

TextArray loadTexts()
{
    TextArray texts;
    for (const auto &[name, text] : kTexts)
        texts[std::size_t(name)] = QString::fromUtf16(text);
    return texts;
}

}   // namespace

const QString &textOf(Text name)
{
    static const TextArray texts = loadTexts();
    return texts.at(std::size_t(name));
}
