#include "tool/tooltexts.h"

#include "app/buildconfig.h"

#include <map>

namespace {

const QString kToolHelp = QStringLiteral(R"(Utilisation : cinefiche-card COMMANDE [OPTIONS] ARGUMENTS...

Lit et écrit les fiches de films de Cinefiche (fichiers .cfh), sans fenêtre.

Commandes :
  show [-r] [--json | --json-lines] FICHE|DOSSIER...
      montre les champs et l'affiche de chaque fiche
  find [-r] [DOSSIER|FICHE...] [--titre T] [--acteur A] [--annee 1990-1999] [--vu] [--note 8-10] [TEXTE...]
      écrit le chemin de chaque fiche trouvée
  catalogue [-r] DOSSIER|FICHE... -o SORTIE.html|SORTIE.csv
      écrit le catalogue des fiches : page web ou tableau
  poster [--force] FICHE SORTIE|-
      extrait l'affiche, octet pour octet
  thumbnail [-s TAILLE] [--force] FICHE SORTIE.png
      écrit une vignette PNG de l'affiche
  new [--json FICHIER|-] [CHAMP=VALEUR...] [--poster IMAGE] [--force] SORTIE
      crée une fiche
  set [-r] CHAMP=VALEUR... [--poster IMAGE | --no-poster] [--force] -- FICHE|DOSSIER...
  set FICHE CHAMP=VALEUR... [--poster IMAGE | --no-poster] [--force]
      change les champs nommés des fiches, et rien d'autre
  nfo [-r] [--force] FICHE|DOSSIER...
  nfo [--force] FICHE SORTIE
      exporte chaque fiche en fichier .nfo de médiathèque, l'affiche à côté
  from-nfo NFO [--poster IMAGE] [--force] SORTIE
      crée une fiche d'après un fichier .nfo
  import [-n] [--force] DOSSIER...
      crée une fiche à côté de chaque film d'une médiathèque qui a son .nfo

Champs : titre, annee, heures, minutes, type, realisateur, acteurs, resume.

Dossiers : show, find, catalogue, set et nfo prennent des dossiers comme des
fiches. Une fiche est un fichier qui commence par la marque des fiches, quel
que soit son nom ; les autres fichiers sont passés sous silence. Avec -r, les
dossiers contenus aussi, sans suivre les liens vers des dossiers. Les fiches
viennent dans l'ordre alphabétique français de leurs noms, dossier par
dossier. import parcourt toujours les dossiers contenus.

Options :
  -h, --help     cette aide ; après une commande, l'aide de la commande
  -v, --version  la version

Aucun fichier n'est écrit à travers un lien symbolique qui se trouve à sa
place : il est refusé, et --force remplace le lien lui-même (sa cible reste
telle quelle).

Codes de retour : 0 fait ; 1 une fiche ou un autre fichier n'a pu être lu
ou écrit ; 2 mauvaise utilisation, ou valeur qu'une fiche ne peut contenir.
Le détail : man cinefiche-card
)");

const std::map<QString, QString> &commandHelps()
{
    static const std::map<QString, QString> helps = {
        { QStringLiteral("show"),
            QStringLiteral(R"(Utilisation : cinefiche-card show [-r] [--json | --json-lines] FICHE|DOSSIER...

Montre les champs de chaque fiche (les blancs de fin retirés, les acteurs un
par ligne, le résumé avec ses sauts de ligne) et son affiche : taille en
octets, format et taille en pixels quand l'image se lit. Un fichier nommé qui
n'est pas une fiche est signalé ; les autres fiches sont montrées quand même.
Un dossier donne toutes ses fiches.

  -r            les fiches des dossiers contenus aussi, à toute profondeur
  --json        un tableau JSON d'un objet par fiche, même pour une seule
  --json-lines  un objet JSON par ligne, fiche après fiche

Dossiers : une fiche est un fichier qui commence par la marque des fiches,
quel que soit son nom ; les autres fichiers sont passés sous silence, et un
fichier illisible est signalé. Les liens vers des dossiers ne sont pas suivis.
Les fiches viennent dans l'ordre alphabétique français, dossier par dossier.
)") },
        { QStringLiteral("find"),
            QStringLiteral(
                R"(Utilisation : cinefiche-card find [-r] [DOSSIER|FICHE...] [--titre T] [--acteur A] [--realisateur R] [--type T] [--annee 1990-1999] [--saga S] [--etiquette E] [--support S] [--note 8-10] [--vu | --pas-vu] [--prete] [-0 | --json] [TEXTE...]

Écrit le chemin de chaque fiche qui répond à la recherche, un par ligne, dans
l'ordre des fiches. Un argument qui nomme un fichier ou un dossier existant est
un lieu où chercher (le dossier courant quand il n'y en a pas) ; les autres
sont des mots, comme tous ceux qui suivent « -- ». Chaque mot doit se trouver
dans un champ de la fiche (titre, titre original, année, type, réalisateur,
acteurs, résumé, saga, étiquettes ou notes), et chaque option dans son champ ;
majuscules et accents ne comptent pas (« etienne » trouve « Étienne »). Les
textes sont cherchés tels qu'ils ont été saisis, en toute écriture
(« рублёв » trouve « Андрей Рублёв »). Seuls l'enregistrement de chaque fiche
et son extension, à la fin du fichier, sont lus, jamais son affiche.

  -r                  les dossiers contenus aussi, à toute profondeur
  --titre T           T dans le titre
  --acteur A          A dans le nom d'un acteur
  --realisateur R     R dans le réalisateur
  --type T            T dans le type
  --annee A|A1-A2     l'année A, ou de A1 à A2 comprises
  --saga S            S dans la saga
  --etiquette E       l'étiquette E, entière
  --support S         S dans le support (DVD, Blu-ray, fichier...)
  --note N|N1-N2      la note N, ou de N1 à N2 comprises (de 1 à 10)
  --vu                les films vus
  --pas-vu            les films qui ne sont pas marqués vus
  --prete             les films prêtés
  -0                  les chemins séparés par un octet nul (pour xargs -0)
  --json              les fiches trouvées, comme show --json
)") },
        { QStringLiteral("catalogue"),
            QStringLiteral(
                R"(Utilisation : cinefiche-card catalogue [-r] DOSSIER|FICHE... -o SORTIE [--separateur S]

Écrit le catalogue des fiches, d'un genre choisi par l'extension de SORTIE :

  .html  une page autonome : la grille des affiches et le tableau de tous les
         champs, triable par colonne, une recherche qui filtre à la frappe
         (sans tenir compte des accents), prête à imprimer. Les vignettes
         viennent du cache de vignettes partagé avec les gestionnaires de
         fichiers (~/.cache/thumbnails), et y vont quand elles manquent.
  .csv   un tableau pour les tableurs (RFC 4180, UTF-8) : une ligne d'en-tête
         aux noms des clés de show --json, une ligne par fiche, les acteurs
         joints par « | », l'affiche donnée par son format (jpeg...) ou vide.

  -r               les dossiers contenus aussi, à toute profondeur
  -o SORTIE        le fichier écrit, remplacé une fois complet
  --separateur S   le séparateur du CSV (« , » par défaut ; « ; » pour les
                   tableurs en français)
)") },
        { QStringLiteral("poster"),
            QStringLiteral(R"(Utilisation : cinefiche-card poster [--force] FICHE SORTIE|-

Écrit l'affiche de la fiche dans SORTIE (« - » : la sortie standard), octet
pour octet, telle que la fiche la contient. Une fiche sans affiche n'écrit rien.

  --force  remplace un lien symbolique qui se trouve à la place de SORTIE
)") },
        { QStringLiteral("thumbnail"),
            QStringLiteral(R"(Utilisation : cinefiche-card thumbnail [-s TAILLE] [--force] FICHE SORTIE.png

Écrit une vignette PNG de l'affiche, dont le plus grand côté mesure au plus
TAILLE pixels. Une fiche sans affiche, ou dont l'affiche ne se lit pas,
n'écrit rien.

  -s, --size TAILLE  le plus grand côté en pixels (256 par défaut)
  --force            remplace un lien symbolique qui se trouve à la place de SORTIE
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
  --force         remplace SORTIE si elle existe (un lien : le lien lui-même)
)") },
        { QStringLiteral("set"),
            QStringLiteral(
                R"(Utilisation : cinefiche-card set [-r] CHAMP=VALEUR... [OPTIONS] -- FICHE|DOSSIER...
       cinefiche-card set FICHE CHAMP=VALEUR... [OPTIONS]

Change les champs nommés de chaque fiche ; chaque autre octet reste tel quel,
affiche comprise. Après « -- », chaque argument est une fiche ou un dossier,
même s'il contient « = » ; les options viennent avant. Sans « -- », le
premier argument est la fiche, les autres des CHAMP=VALEUR.

Une valeur qui ne tient pas est une erreur : aucune fiche n'est touchée.
Champs et règles : cinefiche-card new --help. Chaque fiche est lue, changée
et remplacée d'un seul pas : deux changements en même temps attendent l'un
l'autre, aucun ne se perd. Une fiche qui ne peut être changée est signalée,
les autres le sont quand même (code 1).

  -r              les fiches des dossiers contenus aussi, à toute profondeur
  --poster IMAGE  remplace l'affiche
  --no-poster     retire l'affiche
  --force         une fiche est un lien symbolique : le remplace par la fiche changée
)") },
        { QStringLiteral("nfo"),
            QStringLiteral(R"(Utilisation : cinefiche-card nfo [-r] [--force] FICHE|DOSSIER...
       cinefiche-card nfo [--force] FICHE SORTIE

Exporte chaque fiche en fichier .nfo (XML <movie>) que lisent les
médiathèques : titre, année, durée en minutes, genres, réalisateur, acteurs,
résumé. Le fichier est NOM.nfo, NOM étant le nom du film à côté de la fiche
sans son extension (à défaut, celui de la fiche nommée), ou SORTIE ;
l'affiche est écrite à côté, sous le nom NOM-poster.EXT, EXT selon son
format réel. Dans un dossier, seules les fiches NOM.cfh qui ont leur film à
côté sont exportées, et une ligne compte les .nfo écrits, gardés et en échec.

Un film qui a déjà son .nfo (NOM.nfo, ou movie.nfo seul dans son dossier) le
garde : ce fichier-là est remplacé, jamais doublé. Chaque .nfo écrit porte un
commentaire qui commence par « cinefiche-card », que les médiathèques
ignorent, et qui désigne l'affiche écrite. Un .nfo sans cette marque, écrit
par un autre programme, est gardé et signalé, avec l'affiche à côté ; une
affiche du film que l'export n'a pas écrite (NOM-poster.EXT, poster.EXT...)
est gardée et signalée, et celle de la fiche n'est pas écrite.

  -r       les fiches des dossiers contenus aussi, à toute profondeur
  --force  remplace un .nfo sans la marque, écrit l'affiche de la fiche malgré
           celle d'un autre, ou remplace un lien symbolique qui se trouve à la
           place d'une sortie
)") },
        { QStringLiteral("from-nfo"),
            QStringLiteral(R"(Utilisation : cinefiche-card from-nfo NFO [--poster IMAGE] [--force] SORTIE

Crée la fiche SORTIE d'après un fichier .nfo de film : titre, année (ou celle
de <premiered>), durée, genres joints par « , », premier réalisateur, dix
premiers acteurs, résumé. Ce qui est laissé de côté ou raccourci est signalé,
une ligne par sorte, et la fiche est écrite quand même. Un fichier de plus de
4 Mo, ou qui a autre chose après </movie> qu'une ligne d'adresse, est refusé.
Sans --poster, l'affiche NOM-poster.EXT à côté du fichier .nfo est reprise
quand elle existe (un lien vers un fichier hors de son dossier est laissé de
côté).

  --poster IMAGE  l'affiche (JPEG, PNG, GIF, BMP...)
  --force         remplace SORTIE si elle existe (un lien : le lien lui-même)
)") },
        { QStringLiteral("import"),
            QStringLiteral(R"(Utilisation : cinefiche-card import [-n] [--force] DOSSIER...

Parcourt la médiathèque DOSSIER et les dossiers qu'elle contient (sans suivre
les liens vers des dossiers) et écrit, à côté de chaque film qui a son .nfo,
la fiche NOM.cfh que la visionneuse lit avec lui, NOM étant le nom du film
sans son extension (.avi, .mkv, .mp4...). Le .nfo du film est NOM.nfo, ou
movie.nfo dans un dossier qui ne contient que ce film ; l'affiche est
NOM-poster.EXT, ou poster.EXT, puis folder.EXT dans un dossier qui ne
contient que ce film (un lien vers un fichier hors du dossier est laissé de
côté). Un fichier NOM-trailer.EXT est une bande-annonce, pas un film.

La fiche reprend du .nfo ce que reprend from-nfo ; ce qui est laissé de côté
est signalé, une ligne par sorte. Un .nfo illisible ou sans titre est un
échec ; l'échec d'un film n'arrête pas les autres et ne laisse aucune fiche
à moitié écrite. Une ligne par film, puis une ligne qui compte les fiches
écrites, gardées et en échec ; sur un terminal, l'avancement s'affiche sur
la sortie d'erreur. Code 1 quand un film est en échec.

  -n       dit ce qui serait fait, sans rien écrire
  --force  remplace les fiches qui existent (un lien : le lien lui-même) ;
           sans lui, elles sont gardées
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
