#include "tool/tooltexts.h"

#include "app/buildconfig.h"

#include <map>

namespace {

const QString kToolHelp = QStringLiteral(R"(Utilisation : cinefiche-card COMMANDE [OPTIONS] ARGUMENTS...

Lit et écrit les fiches de films de Cinefiche (fichiers .cfh), sans fenêtre.

Commandes :
  show [--json] FICHE...
      montre les champs et l'affiche de chaque fiche
  poster FICHE SORTIE|-
      extrait l'affiche, octet pour octet
  thumbnail [-s TAILLE] FICHE SORTIE.png
      écrit une vignette PNG de l'affiche
  new [--json FICHIER|-] [CHAMP=VALEUR...] [--poster IMAGE] [--force] SORTIE
      crée une fiche
  set FICHE CHAMP=VALEUR... [--poster IMAGE | --no-poster]
      change les champs nommés d'une fiche, et rien d'autre
  nfo FICHE [SORTIE]
      exporte la fiche en fichier .nfo de médiathèque, l'affiche à côté
  from-nfo NFO [--poster IMAGE] [--force] SORTIE
      crée une fiche d'après un fichier .nfo

Champs : titre, annee, heures, minutes, type, realisateur, acteurs, resume.

Options :
  -h, --help     cette aide ; après une commande, l'aide de la commande
  -v, --version  la version

Codes de retour : 0 fait ; 1 une fiche ou un autre fichier n'a pu être lu
ou écrit ; 2 mauvaise utilisation, ou valeur qu'une fiche ne peut contenir.
Le détail : man cinefiche-card
)");

const std::map<QString, QString> &commandHelps()
{
    static const std::map<QString, QString> helps = {
        { QStringLiteral("show"), QStringLiteral(R"(Utilisation : cinefiche-card show [--json] FICHE...

Montre les champs de chaque fiche (les blancs de fin retirés, les acteurs un
par ligne, le résumé avec ses sauts de ligne) et son affiche : taille en
octets, format et taille en pixels quand l'image se lit. Un fichier qui n'est
pas une fiche est signalé ; les autres fiches sont montrées quand même.

  --json  un objet JSON par fiche (un tableau pour plusieurs fiches)
)") },
        { QStringLiteral("poster"), QStringLiteral(R"(Utilisation : cinefiche-card poster FICHE SORTIE|-

Écrit l'affiche de la fiche dans SORTIE (« - » : la sortie standard), octet
pour octet, telle que la fiche la contient. Une fiche sans affiche n'écrit rien.
)") },
        { QStringLiteral("thumbnail"),
            QStringLiteral(R"(Utilisation : cinefiche-card thumbnail [-s TAILLE] FICHE SORTIE.png

Écrit une vignette PNG de l'affiche, dont le plus grand côté mesure au plus
TAILLE pixels. Une fiche sans affiche, ou dont l'affiche ne se lit pas,
n'écrit rien.

  -s, --size TAILLE  le plus grand côté en pixels (256 par défaut)
)") },
        { QStringLiteral("new"),
            QStringLiteral(
                R"(Utilisation : cinefiche-card new [--json FICHIER|-] [CHAMP=VALEUR...] [--poster IMAGE] [--force] SORTIE

Crée la fiche SORTIE. Les valeurs viennent d'un objet JSON (celui de show
--json), puis des CHAMP=VALEUR, qui l'emportent. Le titre est obligatoire.
Une valeur trop longue pour son champ, ou un caractère qu'une fiche ne peut
contenir, est une erreur : rien n'est écrit.

Champs : titre (50 caractères), annee (4), heures (2), minutes (2), type (50),
realisateur (50), acteurs (dix noms de 50 caractères séparés par « | »),
resume (500, un saut de ligne compte pour deux).

  --json FICHIER  lit les valeurs dans FICHIER (« - » : l'entrée standard)
  --poster IMAGE  l'affiche (JPEG, PNG, GIF, BMP...)
  --force         remplace SORTIE si elle existe
)") },
        { QStringLiteral("set"),
            QStringLiteral(
                R"(Utilisation : cinefiche-card set FICHE CHAMP=VALEUR... [--poster IMAGE | --no-poster]

Change les champs nommés de la fiche ; chaque autre octet reste tel quel,
affiche comprise. Une valeur qui ne tient pas est une erreur : la fiche
n'est pas touchée. Champs et règles : cinefiche-card new --help.

  --poster IMAGE  remplace l'affiche
  --no-poster     retire l'affiche
)") },
        { QStringLiteral("nfo"), QStringLiteral(R"(Utilisation : cinefiche-card nfo FICHE [SORTIE]

Exporte la fiche en fichier .nfo (XML <movie>) que lisent les médiathèques :
titre, année, durée en minutes, genres, réalisateur, acteurs, résumé.
SORTIE vaut par défaut la fiche avec l'extension .nfo ; l'affiche est écrite
à côté, sous le nom NOM-poster.EXT, EXT selon son format réel.
)") },
        { QStringLiteral("from-nfo"),
            QStringLiteral(R"(Utilisation : cinefiche-card from-nfo NFO [--poster IMAGE] [--force] SORTIE

Crée la fiche SORTIE d'après un fichier .nfo de film : titre, année (ou celle
de <premiered>), durée, genres joints par « , », premier réalisateur, dix
premiers acteurs, résumé. Ce qui est laissé de côté ou raccourci est signalé,
une ligne par sorte, et la fiche est écrite quand même. Un fichier de plus de
4 Mo, ou qui a autre chose après </movie> qu'une ligne d'adresse, est refusé.
Sans --poster, l'affiche NOM-poster.EXT à côté du fichier .nfo est reprise
quand elle existe.

  --poster IMAGE  l'affiche (JPEG, PNG, GIF, BMP...)
  --force         remplace SORTIE si elle existe
)") },
    };
    return helps;
}

}   // namespace

QString ToolText::version()
{
    return QStringLiteral("cinefiche-card %1.%2.%3\n")
        .arg(BuildConfig::VersionMajor)
        .arg(BuildConfig::VersionMinor)
        .arg(BuildConfig::VersionRevision);
}

QString ToolText::toolHelp()
{
    return kToolHelp;
}

QString ToolText::commandHelp(const QString &command)
{
    const auto help = commandHelps().find(command);
    return help == commandHelps().end() ? QString() : help->second;
}
