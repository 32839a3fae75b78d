#include "tool/tooltable.h"

#include "tool/helprows.h"

#include <array>
#include <utility>

namespace {

// Each name with its text; the order is free, the completeness is checked.
constexpr std::pair<Say, const char16_t *> kRows[] = {
    // the commands over many cards and folders
    { Say::JsonOptionsClash, u"--json et --json-lines s'excluent" },
    { Say::FindOutputsClash, u"-0 et --json s'excluent" },
    { Say::BadYears, u"années « %1 » incorrectes : une année (1995) ou deux jointes par « - » (1990-1999)" },
    { Say::BadRatings, u"note « %1 » incorrecte : une note de 1 à 10 (8) ou deux jointes par « - » (8-10)" },
    { Say::SeenOptionsClash, u"--vu et --pas-vu s'excluent" },
    { Say::CatalogueKind, u"%1 : le catalogue est une page .html ou un tableau .csv" },
    { Say::BadSeparator, u"séparateur « %1 » incorrect : un seul caractère, ni guillemet ni saut de ligne" },
    { Say::CatalogueOptionsClash, u"--excel, --letterboxd, --imdb et --separateur s'excluent" },
    // failures, each naming its file, and wrong usage
    { Say::Missing, u"%1 : fichier introuvable" },
    { Say::NotRegularFile,
        u"%1 : ce n'est pas un fichier ordinaire (un tube, un dossier ou un périphérique)" },
    { Say::Unreadable, u"%1 : lecture impossible" },
    { Say::NotCard, u"%1 : ce fichier n'est pas une fiche" },
    { Say::WriteFailed, u"%1 : écriture impossible ; un fichier existant reste tel quel" },
    { Say::OutputFailed, u"sortie standard : écriture impossible" },
    { Say::HelperMissing, u"%1 : l'assistant des images ne peut être lancé, l'installation est incomplète" },
    { Say::HelperFailed, u"%1 : l'assistant des images a échoué ; des affiches manquent au catalogue" },
    { Say::NoPoster, u"%1 : la fiche n'a pas d'affiche" },
    { Say::PosterNotDecoded, u"%1 : l'affiche ne se lit pas comme une image" },
    { Say::NotPicture, u"%1 : ce fichier n'est pas une image" },
    { Say::IsACard, u"%1 est une fiche : elle n'est pas remplacée" },
    { Say::Exists, u"%1 existe déjà : --force pour le remplacer" },
    { Say::NameTooLong, u"%1 : chemin trop long pour le système" },
    { Say::LinkRefused, u"%1 est un lien symbolique : il n'est pas suivi ; --force le remplace" },
    { Say::CardBusy, u"%1 : fiche occupée par un autre programme, réessayez" },
    { Say::LinkOutOfFolder, u"%1 : lien vers un fichier hors du dossier du .nfo, affiche laissée de côté" },
    { Say::ShareSilent, u"%1 : le partage réseau ne répond plus depuis %2 s ; la commande s'arrête" },
    { Say::MissingCommand, u"commande manquante ; la liste : cinefiche-card --help" },
    { Say::UnknownCommand, u"commande inconnue « %1 » ; la liste : cinefiche-card --help" },
    // %1 twice: the failure and the help it points to name the same command.
    { Say::UsageOf, u"%1 : %2 ; l'aide : cinefiche-card %1 --help" },
    { Say::ArgumentCount, u"nombre d'arguments incorrect" },
    { Say::NotAnEdit, u"« %1 » n'est pas de la forme CHAMP=VALEUR" },
    { Say::MissingOutput, u"fichier de sortie manquant" },
    { Say::NothingToChange, u"rien à changer" },
    { Say::PosterOptionsClash, u"--poster et --no-poster s'excluent" },
    { Say::BadSize, u"taille « %1 » incorrecte : un nombre de pixels, de 1 à 10000" },
    { Say::ExtensionDamaged,
        u"%1 : les données qui suivent l'affiche sont illisibles ; la fiche est lue sans elles" },
    { Say::DamagedNotChanged,
        u"%1 n'est pas changée, pour ne pas écrire par-dessus ses données illisibles : --force l'écrit quand "
        u"même, en les gardant telles quelles" },
    { Say::NotAList, u"« %1 » n'est pas une liste : += et -= ne valent que pour une liste" },
    { Say::TitleMissing, u"titre : une fiche a toujours un titre" },
    { Say::JsonUnreadable, u"%1 : JSON illisible (%2)" },
    { Say::JsonNotObject, u"%1 : un objet JSON est attendu, celui d'une fiche" },
    { Say::JsonRepeatedKey, u"clé « %1 » donnée deux fois" },
    { Say::NfoUnreadable, u"%1, ligne %2 : XML illisible (%3)" },
    { Say::NfoNotMovie, u"%1 : ce n'est pas le fichier .nfo d'un film (<movie>)" },
    { Say::NfoTooDeep, u"des éléments imbriqués sur plus de %1 niveaux" },
    { Say::NfoNoTitle, u"%1 : le film n'a pas de titre" },
    { Say::PosterNotExported, u"%1 : l'affiche n'est pas une image reconnue, elle n'est pas exportée" },
    // libraries, imports and histories
    { Say::NotFolder, u"%1 : ce n'est pas un dossier" },
    { Say::PlacesAfterDashes, u"les fiches viennent après « -- » : set CHAMP=VALEUR... -- FICHE|DOSSIER..." },
    { Say::HistoryFoldersAfterDashes,
        u"les dossiers des fiches viennent après « -- » : history EXPORT... -- DOSSIER..." },
    { Say::NfoKept, u"%1 : ce .nfo ne vient pas de Cinefiche, il est gardé ; --force le remplace" },
    { Say::PosterKept,
        u"%1 : cette affiche ne vient pas de Cinefiche, elle est gardée, sans celle de la fiche ; --force "
        u"écrit celle de la fiche" },
    { Say::CardKept, u"%1 : la fiche existe, elle est gardée" },
    { Say::TableWithoutTitle,
        u"%1 : aucune colonne de titre (titre, ou Title) dans la première ligne ; rien n'est importé" },
    { Say::ImportSourcesClash, u"--csv, --tellico et --gcstar s'excluent" },
    { Say::HistoryRatingKept, u"note gardée : %1 : note=%2, l'export donne %3 (--remplacer la change)" },
    // the words of a picture, a field and an .nfo note refused
    { Say::PictureTooLarge,
        u"%1 : image trop grande, %2 × %3 pixels ; une affiche en a au plus %4 millions" },
    { Say::TooManyScans,
        u"%1 : image trop lourde, un JPEG progressif de plus de %2 passes ; une affiche en a une dizaine" },
    { Say::UnknownField, u"champ inconnu %1 ; les champs : %2" },
    { Say::FieldTooLong, u"%1 caractères, le champ en tient %2" },
    { Say::FieldControlCharacter, u"le caractère de commande %1 n'a pas sa place dans ce champ" },
    { Say::FieldNotNumber, u"%1 n'est pas un nombre" },
    { Say::FieldTooManyItems, u"%1 éléments, une fiche en tient %2" },
    { Say::FieldEmptyItem, u"un élément est vide" },
    { Say::FieldItemWithBar, u"le nom %1 contient « | », qui sépare les noms" },
    { Say::FieldNotFlag, u"%1 n'est ni oui ni non" },
    { Say::FieldNotRating, u"%1 n'est pas une note entière de 1 à 10" },
    { Say::FieldNotDate, u"%1 n'est pas une date AAAA-MM-JJ (ni AAAA-MM-JJ HH:MM:SS)" },
    { Say::FieldNotImdb, u"%1 n'est pas un identifiant IMDb (tt suivi de chiffres)" },
    { Say::FieldNotTmdb, u"%1 n'est pas un identifiant TMDb (un nombre)" },
    { Say::FieldNotCount, u"%1 n'est pas un nombre entier de 1 ou plus" },
    { Say::JsonWrongType, u"%1 : valeur d'un type incorrect ; attendu : %2" },
    { Say::ExpectedText, u"du texte" },
    { Say::ExpectedTexts, u"une liste de textes" },
    { Say::ExpectedFlag, u"true ou false" },
    { Say::ExpectedNumber, u"un nombre entier ou du texte" },
    { Say::NfoTooLarge, u"%1 : plus de %2 Mo, bien trop pour le fichier .nfo d'un film" },
    // "%1 et 2 autres": the count of the others, not of all.
    { Say::WithOthers, u"%1 et %2 %3" },
    { Say::Other, u"autre" },
    { Say::Others, u"autres" },
    { Say::OthersAfter, u" et %1" },
    // "laissé%3": %3 is an "s" when others are left out with the first.
    { Say::ItemsLeftOut, u"%1 : %2 laissé%3 de côté, une fiche en tient %4" },
    { Say::ProblemLeftOut, u"%1 ; laissé de côté" },
    { Say::AlongWith, u", avec %1" },
    { Say::ControlReplaced, u"%1 : caractère de commande remplacé par « ? » : %2" },
    // "uniqueid" is the .nfo's own element name, as the user finds it there.
    { Say::OtherIdentifier,
        u"uniqueid : %1 (%2)%3 laissé%4 de côté, une fiche ne garde que ceux d'IMDb et de TMDb" },
    { Say::NotSeenLeftOut, u"%1 : %2 laissé de côté, le .nfo dit le film pas vu" },
    { Say::RuntimeRefused,
        u"durée : %1 laissée de côté, ce n'est pas un nombre de minutes qu'une fiche peut contenir" },
    { Say::RuntimeNotWritten, u"durée : %1 h %2 non exportée, ce ne sont pas des nombres" },
    // the .nfo mark and the counts of nfo and import
    // Read back to know an .nfo as ours: a change here leaves the .nfo written
    // before unknown, kept as another program's.
    { Say::NfoMark, u"%1 : écrit d'après une fiche de Cinefiche, remplacé à chaque export" },
    { Say::NfoMarkPoster, u" ; affiche écrite à côté : %1 octets, inode %2, modifiée à %3 ns" },
    { Say::NfoCount, u"nfo : %1, %2, %3" },
    { Say::NfoWrittenOne, u".nfo écrit" },
    { Say::NfoWrittenMany, u".nfo écrits" },
    { Say::NfoKeptOne, u"gardé" },
    { Say::NfoKeptMany, u"gardés" },
    // "en échec" does not agree with its count: one row for one and many.
    { Say::Failed, u"en échec" },
    { Say::CardToWriteFrom, u"%1 : fiche à écrire d'après %2" },
    { Say::CardWrittenFrom, u"%1 : fiche écrite d'après %2" },
    { Say::WithPosterNamed, u", affiche %1" },
    { Say::CardToWriteOne, u"fiche à écrire" },
    { Say::CardToWriteMany, u"fiches à écrire" },
    { Say::CardWrittenOne, u"fiche écrite" },
    { Say::CardWrittenMany, u"fiches écrites" },
    { Say::ImportTrialCount, u"import, essai sans rien écrire : %1, %2, %3" },
    { Say::ImportCount, u"import : %1, %2, %3" },
    { Say::CardKeptOne, u"gardée" },
    { Say::CardKeptMany, u"gardées" },
    { Say::WithoutNfo, u" ; %1" },
    { Say::MovieWithoutNfoOne, u"film sans .nfo" },
    { Say::MovieWithoutNfoMany, u"films sans .nfo" },
    { Say::ImportProgress, u"import : %1…" },
    { Say::MovieSeenOne, u"film vu" },
    { Say::MovieSeenMany, u"films vus" },
    // the rows of a spreadsheet or catalogue imported
    { Say::RowPlace, u"%1, ligne %2" },
    { Say::WithItsPoster, u", avec son affiche" },
    { Say::ValueLeftOut, u"%1 : %2 ; laissé de côté" },
    { Say::PosterLeftOut, u"%1 : affiche « %2 » : %3" },
    { Say::PosterOutOfFolder, u"hors du dossier du fichier (ou par un lien qui en sort), laissée de côté" },
    { Say::PosterNotPicture, u"ce n'est pas une image qu'une fiche peut contenir, laissée de côté" },
    { Say::PosterNotFound, u"introuvable" },
    { Say::ColumnsLeftOut, u"%1 : colonnes sans place dans une fiche, laissées de côté : %2" },
    { Say::FieldsLeftOut, u"%1 : champs sans place dans une fiche, laissés de côté : %2" },
    { Say::NotCatalogue, u"%1 : ce n'est pas une collection de films de ce programme, refusé" },
    { Say::XmlUnreadable, u"%1 : XML illisible (%2)" },
    { Say::XmlEntities,
        u"%1 : le XML déclare ou emploie des entités, refusé (elles peuvent grossir sans fin)" },
    { Say::XmlTooDeep, u"%1 : XML imbriqué à plus de %2 niveaux, refusé" },
    // a viewing history onto cards
    { Say::HistoryTooLarge, u"%1 : fichier de plus de %2 Mo, refusé" },
    { Say::NotHistory, u"%1 : ni un export de Letterboxd ni un export d'IMDb (en-tête inconnu), refusé" },
    { Say::ZipTooLarge, u"%1 : archive zip trop grande une fois décompressée, refusée" },
    { Say::ZipDamaged, u"%1 : archive zip endommagée" },
    { Say::RowUnreadable, u"ligne illisible (guillemets ou nombre de cellules)" },
    { Say::RowNoTitle, u"pas de titre" },
    { Say::RowBadYear, u"année %1 incorrecte" },
    { Say::RowBadRating, u"note %1 incorrecte" },
    { Say::RowBadDate, u"date %1 incorrecte" },
    { Say::RowBadIdentifier, u"identifiant IMDb %1 incorrect" },
    { Say::RowSkipped, u"%1 : %2 ; ligne ignorée" },
    { Say::HistoryToChange, u"à changer : %1 : %2" },
    { Say::HistoryChanged, u"changée : %1 : %2" },
    { Say::HistoryUpToDate, u"à jour : %1" },
    { Say::AmbiguousMovie, u"ambigu : %1 : plusieurs fiches : %2" },
    { Say::AmbiguousCard, u"ambigu : %1 : plusieurs films : %2" },
    { Say::NotFound, u"introuvable : %1" },
    { Say::CardToChangeOne, u"fiche à changer" },
    { Say::CardToChangeMany, u"fiches à changer" },
    { Say::CardChangedOne, u"fiche changée" },
    { Say::CardChangedMany, u"fiches changées" },
    { Say::HistoryTrialCount, u"history, essai sans rien écrire : %1, %2, %3, %4" },
    { Say::HistoryCount, u"history : %1, %2, %3, %4" },
    // "à jour" does not agree with its count either.
    { Say::UpToDate, u"à jour" },
    { Say::MovieAmbiguousOne, u"film ambigu" },
    { Say::MovieAmbiguousMany, u"films ambigus" },
    { Say::MovieNotFoundOne, u"film introuvable" },
    { Say::MovieNotFoundMany, u"films introuvables" },
    { Say::FailedAfter, u", %1" },
    // a card as show prints it
    { Say::LabelFile, u"Fichier" },
    { Say::LabelTitle, u"Titre" },
    { Say::LabelOriginalTitle, u"Titre original" },
    { Say::LabelSortTitle, u"Titre de tri" },
    { Say::LabelSaga, u"Saga" },
    { Say::LabelYear, u"Année" },
    { Say::LabelRunningTime, u"Durée" },
    { Say::LabelGenre, u"Type" },
    { Say::LabelCountries, u"Pays" },
    { Say::LabelDirector, u"Réalisateur" },
    { Say::LabelActors, u"Acteurs" },
    { Say::LabelSummary, u"Résumé" },
    { Say::LabelSeen, u"Vu" },
    { Say::LabelRating, u"Note" },
    { Say::LabelTags, u"Étiquettes" },
    // Feminine, as the card (la fiche) is what is lent.
    { Say::LabelLentTo, u"Prêtée à" },
    { Say::LabelMedium, u"Support" },
    { Say::LabelPlace, u"Emplacement" },
    { Say::LabelImdb, u"IMDb" },
    { Say::LabelTmdb, u"TMDb" },
    { Say::LabelNotes, u"Notes" },
    { Say::LabelAdded, u"Ajoutée le" },
    { Say::LabelPoster, u"Affiche" },
    { Say::TmdbMain, u" (identifiant principal)" },
    { Say::CardMinutes, u"%1 min" },
    { Say::CardHoursMinutes, u"%1 h %2" },
    // Feminine: it follows "Affiche".
    { Say::PosterNone, u"aucune" },
    { Say::PosterUnreadable, u"%1 octets, image illisible" },
    { Say::PosterPicture, u"%1 octets, %2, %3 × %4 pixels" },
    // French says the first of a month as an ordinal, every other day as a number.
    { Say::FirstOfMonth, u"1er" },
    { Say::AtTime, u" à %1" },
    { Say::SeenOn, u"le %1" },
    { Say::SeenYes, u"oui" },
    { Say::SeenTimes, u"oui, %1 fois" },
    { Say::SeenDatesAnd, u"%1 et %2" },
    { Say::LentSince, u"depuis le %1" },
};

static_assert(std::size(kRows) + std::size(kHelpRows) == std::size_t(Say::Count), "every name has its row");

using RowArray = std::array<QString, std::size_t(Say::Count)>;

RowArray loadRows()
{
    RowArray rows;
    for (const auto &[name, text] : kRows)
        rows[std::size_t(name)] = QString::fromUtf16(text);
    for (const auto &[name, text] : kHelpRows)
        rows[std::size_t(name)] = QString::fromUtf16(text);
    return rows;
}

}   // namespace

const QString &toolText(Say name)
{
    static const RowArray rows = loadRows();
    return rows.at(std::size_t(name));
}
