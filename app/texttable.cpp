#include "app/texttable.h"

#include <map>

namespace {

const std::map<int, const char16_t *> &table()
{
    static const std::map<int, const char16_t *> texts = {
        // editor
        { 1001, u"Titre :" },
        { 1002, u"Année (aaaa) :" },
        { 1003, u"Durée (h:mm) :" },
        { 1004, u"Réalisateur :" },
        { 1005, u"Type :" },
        { 1006, u"Acteurs :" },
        { 1007, u"Résumé :" },
        { 1008, u"Nouveau" },
        { 1009, u"Supprimer l'acteur" },
        { 1010, u"Fichier" },
        { 1011, u"Nouveau" },
        { 1012, u"Ouvrir" },
        { 1013, u"Enregistrer" },
        { 1014, u"Enregistrer sous" },
        { 1015, u"Prévisualiser" },
        { 1016, u"Quitter" },
        { 1017, u"&Rechercher sur Internet..." },
        { 1020, u"Affiche" },
        { 1021, u"Afficher en grand" },
        { 1022, u"Modifier" },
        { 1023, u"Supprimer" },
        { 1024, u"Reset" },
        { 1025, u"Coller l'affiche" },
        { 1030, u"À propos de ..." },
        { 1101, u"Format invalide :" },
        { 1102, u"L'année doit se composer de 4 chiffres" },
        { 1103, u"La durée doit se composer d'un chiffre pour l'heure" },
        { 1104, u"et de deux chiffres pour les minutes" },
        { 1105, u"Vous devez entrer le titre du film" },
        { 1106, u"Enregistrer les modifications apportées à " },
        { 1107, u"Ouvrir..." },
        { 1108, u"Affiche du film" },
        { 1109, u"Fichier image incorrect" },
        { 1110, u"Entrez les mots-clés à rechercher :" },
        { 1111, u"Image trop grande : une affiche a au plus 50 millions de pixels" },
        // viewer
        { 2001, u"Année : " },
        { 2002, u"Durée :" },
        { 2003, u"Type :" },
        { 2004, u"Réalisateur :" },
        { 2005, u"Acteurs :" },
        { 2006, u"Résumé :" },
        { 2011, u"Afficher en grand" },
        { 2012, u"Enregistrer l'affiche sous..." },
        { 2021, u"Lecture" },
        { 2022, u"OK" },
        // About window
        { 3000, u"À propos de " },
        { 3001, u"de Ombrelune" },
        { 3002, u"Envoyer un e-m@il au programmeur" },
        { 3003, u"OK" },
        { 3101, u"Une erreur s'est produite" },
        { 3102, u"C'est ici pour les rapports de bugs..." },
        // messages and dialog titles
        { 4101, u"Fichier introuvable" },
        { 4102, u"Enregistrer l'affiche" },
        { 4103, u"Enregistrer la fiche sous ..." },
        { 4104, u"Fichier incorrect" },
        { 4105, u"Impossible d'écrire le fichier" },
        { 4106, u"Impossible de lire le fichier" },
        { 4107, u"Dossier de travail refusé : il doit vous appartenir et n'être modifiable que par vous" },
        // labels of the file dialogs' type filters
        { 5100, u"Tous les fichiers (*.*)" },
        { 5101, u"Fichiers Cinefiche (*.cfh)" },
        { 5102, u"Fichiers Images (*.jpg, *.gif)" },
        { 5103, u"JPEG (*.jpg)" },
        { 5104, u"Bitmap (*.bmp)" },
        { 5105, u"GIF (*.gif)" },
        // command line: --help and --version (%1 is the version)
        { 6001,
            u"Utilisation : cinefiche [FICHE [/m | /p]]\n"
            u"Écrit et lit des fiches d'information sur des films (fichiers .cfh).\n"
            u"\n"
            u"  cinefiche               ouvre l'éditeur sur une nouvelle fiche\n"
            u"  cinefiche FICHE         montre la fiche dans la visionneuse\n"
            u"  cinefiche FICHE /p      la visionneuse, sans son bouton Lecture\n"
            u"  cinefiche FICHE /m      ouvre la fiche dans l'éditeur\n"
            u"  cinefiche --help        affiche cette aide\n"
            u"  cinefiche --version     affiche la version\n"
            u"\n"
            u"Une fiche introuvable, ou un fichier qui n'est pas une fiche, est signalé\n"
            u"et le programme se termine avec le code 1.\n" },
        { 6002,
            u"cinefiche %1\n"
            u"Licence GPLv3+ : GNU GPL version 3 ou ultérieure <https://gnu.org/licenses/gpl.html>.\n"
            u"Ceci est un logiciel libre : vous êtes libre de le modifier et de le redistribuer.\n"
            u"Il est fourni SANS AUCUNE GARANTIE, dans les limites permises par la loi.\n" },
        { 6003, u"cinefiche : --help et --version s'emploient seuls ; l'aide : cinefiche --help\n" },
    };
    return texts;
}

}   // namespace

QString resText(int id)
{
    const auto found = table().find(id);
    return found == table().end() ? QString() : QString::fromUtf16(found->second);
}

QList<int> resTextIds()
{
    QList<int> ids;
    for (const auto &entry : table())
        ids << entry.first;
    return ids;
}
