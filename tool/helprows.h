#pragma once
// The help of cinefiche-card and of each command, rows of the tool's table
// (tool/tooltable.cpp includes this file alone). Raw strings: each help is
// printed as it is laid out here.

#include "tool/tooltable.h"

#include <utility>

constexpr std::pair<Say, const char16_t *> kHelpRows[] = {
    { Say::Version, u"cinefiche-card %1.%2.%3\n" },
    { Say::ToolHelp, uR"(Utilisation : cinefiche-card COMMANDE [OPTIONS] ARGUMENTS...

Lit et écrit les fiches de films de Cinefiche (fichiers .cfh), sans fenêtre.

Commandes :
  show [-r] [--json | --json-lines] [--sans-cache] FICHE|DOSSIER...
      montre les champs et l'affiche de chaque fiche
  find [-r] [DOSSIER|FICHE...] [--titre T] [--acteur A] [--annee 1990-1999] [--vu] [--note 8-10] [TEXTE...]
      écrit le chemin de chaque fiche trouvée
  doublons [-r] [--json] DOSSIER|FICHE...
      écrit les fiches qui décrivent un même film, par groupes
  catalogue [-r] DOSSIER|FICHE... -o SORTIE.html|SORTIE.csv [--excel|--letterboxd|--imdb]
      écrit le catalogue des fiches : page web, tableau, ou pour Letterboxd ou IMDb
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
  import --csv|--tellico|--gcstar [-n] [--force] FICHIER DOSSIER
      crée une fiche par film d'un tableau ou d'un autre catalogue
  history [-n] [--json] [--remplacer] EXPORT... -- DOSSIER...
      reporte sur les fiches les films vus et notés sur Letterboxd ou IMDb

Champs : titre, annee, heures, minutes, type, realisateur, acteurs, resume,
titre_original, titre_tri, saga, pays, vu, vu_le, note, etiquettes, pret_a,
pret_le, support, emplacement, imdb, tmdb, notes, ajoutee_le
(cinefiche-card new --help).

Dossiers : show, find, catalogue, set et nfo prennent des dossiers comme des
fiches. Une fiche est un fichier qui commence par la marque des fiches, quel
que soit son nom ; les autres fichiers sont passés sous silence. Avec -r, les
dossiers contenus aussi, sans suivre les liens vers des dossiers. Les fiches
viennent dans l'ordre alphabétique français de leurs noms, dossier par
dossier. import et history parcourent toujours les dossiers contenus.

Options :
  -h, --help     cette aide ; après une commande, l'aide de la commande
  -v, --version  la version

Aucun fichier n'est écrit à travers un lien symbolique qui se trouve à sa
place : il est refusé, et --force remplace le lien lui-même (sa cible reste
telle quelle).

Codes de retour : 0 fait ; 1 une fiche ou un autre fichier n'a pu être lu
ou écrit ; 2 mauvaise utilisation, ou valeur qu'une fiche ne peut contenir.
Le détail : man cinefiche-card
)" },
    { Say::HelpShow,
        uR"(Utilisation : cinefiche-card show [-r] [--json | --json-lines] [--sans-cache] FICHE|DOSSIER...

Montre les champs de chaque fiche (les textes exacts, les acteurs un par
ligne, le résumé et les notes avec leurs sauts de ligne ; les champs vides de
l'enregistrement, les autres seulement quand ils ont une valeur : vu avec ses
dates, la note en étoiles, les étiquettes, le prêt...) et son affiche : taille
en octets, format et taille en pixels quand l'image se lit. Un fichier nommé
qui n'est pas une fiche est signalé ; les autres fiches sont montrées quand
même. Un dossier donne toutes ses fiches.

  -r            les fiches des dossiers contenus aussi, à toute profondeur
  --json        un tableau JSON d'un objet par fiche, même pour une seule, qui
                a toutes les clés (celles de CHAMP=VALEUR, fichier, affiche)
  --json-lines  un objet JSON par ligne, fiche après fiche
  --sans-cache  sur un partage réseau, chaque fiche lue, aucune prise dans
                l'index de ce qui a été lu (man cinefiche-card, PARTAGES RÉSEAU)

Dossiers : une fiche est un fichier qui commence par la marque des fiches,
quel que soit son nom ; les autres fichiers sont passés sous silence, et un
fichier illisible est signalé. Les liens vers des dossiers ne sont pas suivis.
Les fiches viennent dans l'ordre alphabétique français, dossier par dossier.
)" },
    { Say::HelpFind,
        uR"(Utilisation : cinefiche-card find [-r] [DOSSIER|FICHE...] [--titre T] [--acteur A] [--realisateur R] [--type T] [--annee 1990-1999] [--saga S] [--etiquette E] [--support S] [--note 8-10] [--vu | --pas-vu] [--prete] [-0 | --json] [--sans-cache] [TEXTE...]

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
  --sans-cache        sur un partage réseau, chaque fiche lue, aucune prise
                      dans l'index de ce qui a été lu
)" },
    { Say::HelpDoublons, uR"(Utilisation : cinefiche-card doublons [-r] [--json] DOSSIER|FICHE...

Écrit les fiches qui décrivent un même film : un groupe de chemins par bloc,
une ligne vide entre deux blocs. Deux fiches décrivent un même film quand
elles ont le même identifiant IMDb ou TMDb ; sinon quand leur titre ou leur
titre original est le même (majuscules et accents ne comptent pas) et que
leurs années sont à un an au plus l'une de l'autre. Deux fiches dont les
identifiants IMDb, ou TMDb, diffèrent sont deux films, et un remake du même
titre, des années après, n'est pas un doublon. Une fiche sans année ne se
compare que par ses identifiants.

  -r      les dossiers contenus aussi, à toute profondeur
  --json  un tableau de groupes, chacun le tableau de ses fiches comme
          show --json les écrit
)" },
    { Say::HelpCatalogue,
        uR"(Utilisation : cinefiche-card catalogue [-r] DOSSIER|FICHE... -o SORTIE [--separateur S]

Écrit le catalogue des fiches, d'un genre choisi par l'extension de SORTIE :

  .html  une page autonome : la grille des affiches et le tableau des
         champs, avec la marque des films vus, la note en étoiles et les
         étiquettes ; triable par colonne, une recherche qui filtre à la
         frappe (sans tenir compte des accents), des filtres vus ou non et
         par étiquette (un clic sur une étiquette aussi), prête à imprimer.
         Les vignettes viennent du cache de vignettes partagé avec les
         gestionnaires de fichiers (~/.cache/thumbnails), et y vont quand
         elles manquent.
  .csv   un tableau pour les tableurs (RFC 4180, UTF-8) : une ligne d'en-tête
         aux noms des clés de show --json (celles de l'enregistrement et
         affiche, puis les autres), une ligne par fiche, les listes jointes
         par « | », vu « oui » ou vide, l'affiche donnée par son format
         (jpeg...) ou vide.

Ou, quelle que soit l'extension de SORTIE :

  --excel       le tableau .csv tel qu'Excel en français l'ouvre d'un double
                clic : UTF-8 avec sa marque (BOM), « ; » et CR LF
  --letterboxd  le tableau qu'importe Letterboxd : Title, Year, Directors,
                Rating (de 0,5 à 5), WatchedDate, Rewatch, Tags, imdbID,
                tmdbID ; les films vus seuls, une ligne par séance
  --imdb        les colonnes d'une liste d'IMDb, Const quand la fiche a son
                identifiant ; la note et la dernière séance des films vus
history relit ces deux derniers sans rien changer. Dans tout CSV écrit, une
valeur qui commence comme une formule (=, +, -, @) est précédée d'une « ' ».

  -r               les dossiers contenus aussi, à toute profondeur
  -o SORTIE        le fichier écrit, remplacé une fois complet
  --separateur S   le séparateur du CSV (« , » par défaut ; « ; » pour les
                   tableurs en français)
)" },
    { Say::HelpPoster, uR"(Utilisation : cinefiche-card poster [--force] FICHE SORTIE|-

Écrit l'affiche de la fiche dans SORTIE (« - » : la sortie standard), octet
pour octet, telle que la fiche la contient, l'image seule. Une fiche sans
affiche n'écrit rien.

  --force  remplace un lien symbolique qui se trouve à la place de SORTIE
)" },
    { Say::HelpThumbnail, uR"(Utilisation : cinefiche-card thumbnail [-s TAILLE] [--force] FICHE SORTIE.png

Écrit une vignette PNG de l'affiche, dont le plus grand côté mesure au plus
TAILLE pixels. Une fiche sans affiche, ou dont l'affiche ne se lit pas,
n'écrit rien.

  -s, --size TAILLE  le plus grand côté en pixels (256 par défaut)
  --force            remplace un lien symbolique qui se trouve à la place de SORTIE
)" },
    { Say::HelpNew,
        uR"(Utilisation : cinefiche-card new [--json FICHIER|-] [CHAMP=VALEUR...] [--poster IMAGE] [--force] SORTIE

Crée la fiche SORTIE, datée du jour (ajoutee_le). Les valeurs viennent d'un
objet JSON (celui de show --json), puis des CHAMP=VALEUR, qui l'emportent. Le
titre est obligatoire. Un texte est gardé tel quel, en toute écriture et sans
être coupé : ce que l'enregistrement ne peut tenir va dans les données qui
suivent l'affiche, et l'enregistrement en garde la forme en Windows-1252 que
lisent les anciens programmes. Une valeur qui n'est pas de la forme de son
champ, ou un caractère de commande, est une erreur qui nomme le champ : rien
n'est écrit.

Champs :
  titre, type, realisateur, titre_original, titre_tri, saga, pret_a,
  support, emplacement                du texte sur une ligne
  resume, notes                       du texte, sauts de ligne compris
  annee, heures, minutes              des nombres, de 4, 2 et 2 caractères
  acteurs                             des noms séparés par « | »
  pays, etiquettes                    des textes séparés par « , »
  vu                                  oui ou non
  vu_le                               les dates où le film a été vu,
                                      AAAA-MM-JJ, séparées par « , »
  note                                un nombre entier de 1 à 10
  pret_le, ajoutee_le                 une date AAAA-MM-JJ
  imdb                                tt suivi de chiffres (tt0057012)
  tmdb                                un nombre
Une séance (vu_le) marque le film vu ; vu=non efface les séances. Un prêt
(pret_a) sans sa date (pret_le) est daté du jour.

  --json FICHIER  lit les valeurs dans FICHIER (« - » : l'entrée standard)
  --poster IMAGE  l'affiche (JPEG, PNG, GIF, BMP...)
  --force         remplace SORTIE si elle existe (un lien : le lien lui-même)
)" },
    { Say::HelpSet, uR"(Utilisation : cinefiche-card set [-r] CHAMP=VALEUR... [OPTIONS] -- FICHE|DOSSIER...
       cinefiche-card set FICHE CHAMP=VALEUR... [OPTIONS]

Change les champs nommés de chaque fiche ; chaque autre octet reste tel quel,
affiche comprise. Après « -- », chaque argument est une fiche ou un dossier,
même s'il contient « = » ; les options viennent avant. Sans « -- », le
premier argument est la fiche, les autres des CHAMP=VALEUR.

Pour une liste (acteurs, pays, vu_le, etiquettes), CHAMP=A,B la remplace,
CHAMP+=C y ajoute C (une fois) et CHAMP-=C l'en retire. vu_le+=DATE ajoute
une séance et marque le film vu ; vu=non efface aussi les séances ;
pret_a=NOM prête le film, daté du jour sans pret_le (le même nom garde sa
date) ; pret_a= le rend. Changer un champ pour la valeur qu'il a déjà ne
change aucun octet.

Une valeur incorrecte est une erreur : aucune fiche n'est touchée. Champs
et règles : cinefiche-card new --help. Chaque fiche est lue, changée
et remplacée d'un seul pas : deux changements en même temps attendent l'un
l'autre, aucun ne se perd. Une fiche qui ne peut être changée est signalée,
les autres le sont quand même (code 1).

  -r              les fiches des dossiers contenus aussi, à toute profondeur
  --poster IMAGE  remplace l'affiche
  --no-poster     retire l'affiche
  --force         une fiche est un lien symbolique : le remplace par la fiche changée
)" },
    { Say::HelpNfo, uR"(Utilisation : cinefiche-card nfo [-r] [--force] FICHE|DOSSIER...
       cinefiche-card nfo [--force] FICHE SORTIE

Exporte chaque fiche en fichier .nfo (XML <movie>) que lisent les
médiathèques, avec tout ce que from-nfo en reprend : relu, il redonne la même
fiche. Le film vu l'est <playcount> fois (0 s'il ne l'est pas), <lastplayed>
est la dernière date de vu_le, l'identifiant par défaut celui de TMDb si
tmdb_principal, sinon celui d'IMDb, répété dans <id>. Le fichier est NOM.nfo, NOM étant le nom du film à côté de la fiche
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
)" },
    { Say::HelpFromNfo, uR"(Utilisation : cinefiche-card from-nfo NFO [--poster IMAGE] [--force] SORTIE

Crée la fiche SORTIE d'après un fichier .nfo de film, sans rien couper :
titre (<title>), titre_original, titre_tri (<sorttitle>), année (ou celle de
<premiered>), durée (<runtime>), genres et réalisateurs joints par « , »,
tous les acteurs, tout le résumé (<plot>), saga (<set>), pays (<country>),
etiquettes (<tag>), note (<userrating>, 0 n'en est pas une), vu d'après
<playcount>, à défaut <watched>, vu_le (<lastplayed>, avec son heure),
vu_fois quand <playcount> dépasse les dates connues, imdb et tmdb
(<uniqueid>, ou un <id> d'IMDb), tmdb_principal quand celui de TMDb est par
défaut, ajoutee_le (<dateadded>, sinon aujourd'hui). Ce que les règles d'une
fiche refusent est laissé de côté et signalé, une ligne par sorte, et la
fiche est écrite quand même ; une fiche remplacée garde sa date d'ajout si
le .nfo n'en donne pas. Un fichier de plus de
4 Mo, ou qui a autre chose après </movie> qu'une ligne d'adresse, est refusé.
Sans --poster, l'affiche NOM-poster.EXT à côté du fichier .nfo est reprise
quand elle existe (un lien vers un fichier hors de son dossier est laissé de
côté).

  --poster IMAGE  l'affiche (JPEG, PNG, GIF, BMP...)
  --force         remplace SORTIE si elle existe (un lien : le lien lui-même)
)" },
    { Say::HelpImport, uR"(Utilisation : cinefiche-card import [-n] [--force] DOSSIER...
       cinefiche-card import --csv|--tellico|--gcstar [-n] [--force] FICHIER DOSSIER

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

Avec --csv, --tellico ou --gcstar, chaque film de FICHIER donne une fiche
dans DOSSIER, nommée d'après son titre (/ \ : * ? < > | " et les caractères
de commande deviennent « _ », un « . » en tête aussi ; deux films du même
titre prennent l'année, puis un numéro) :

  --csv      un tableau : les colonnes du catalogue (les clés de show --json)
             ou leurs noms anglais usuels (Title, Original Title, Year,
             Director, Runtime, Genre, Cast, Plot), séparées par « , », « ; »
             ou une tabulation, en UTF-8 avec ou sans BOM, ou en Windows-1252 ;
             le tableau de catalogue redonne les mêmes fiches (sans affiche)
  --tellico  un fichier .tc de Tellico (une archive zip de tellico.xml et de
             ses images) ou son XML seul : une collection de vidéos
  --gcstar   un fichier .gcs de GCstar, collection de films, ses images dans
             son dossier ou les dossiers qu'il contient

Les fiches reprennent le titre, le titre original, l'année, la durée, les
genres, le réalisateur, les acteurs, le résumé, l'affiche, vu, la note
(Tellico de 1 à 5 : 3 devient 6 ; GCstar de 0 à 10, 0 n'en étant pas une),
les étiquettes, le prêt (à qui, depuis quand), le support, l'emplacement et
la date d'ajout ; les autres champs ou colonnes sont nommés, une ligne, et
laissés de côté. Une image n'est lue que dans le fichier ou dans son dossier,
jamais par un lien qui en sort. Un fichier de plus de 50 Mo, une archive qui
se décompresse au-delà de ses bornes, un XML qui déclare des entités sont
refusés ; une ligne illisible ou sans titre est nommée par son numéro et
passée (code 1).

  -n       dit ce qui serait fait, sans rien écrire
  --force  remplace les fiches qui existent (un lien : le lien lui-même) ;
           sans lui, elles sont gardées
)" },
    { Say::HelpHistory,
        uR"(Utilisation : cinefiche-card history [-n] [--json] [--remplacer] EXPORT... -- DOSSIER...

Reporte sur les fiches des DOSSIER, et des dossiers qu'ils contiennent, les
films vus et notés exportés de Letterboxd (son .zip, ou diary.csv,
ratings.csv, watched.csv, reviews.csv, ou le tableau de catalogue
--letterboxd) ou d'IMDb (notes ou liste, en CSV). Chaque EXPORT est reconnu à
sa ligne d'en-tête, quel que soit son nom ; un fichier qui n'en est pas un est
refusé, et rien n'est écrit.

Un film trouve sa fiche par son identifiant IMDb quand les deux en ont un,
sinon par son titre ou son titre original, sans tenir compte des capitales,
des accents, de la ponctuation ni d'un article en tête (le, la, les, l', un,
une, des, the, a, an), l'année à un an près : « Amélie » 2001 trouve « Le
Fabuleux Destin d'Amélie Poulain » dont le titre original est « Amélie ».
Deux fiches pour un film, ou deux films pour une fiche, sont ambigus : rien
n'y est changé.

La fiche gagne vu et les dates des séances (Watched Date de Letterboxd ;
Date Rated d'IMDb quand aucune séance n'est connue), vu_fois quand la
première séance connue est un revisionnage, la note (de 0,5 à 5 chez
Letterboxd, doublée ; de 1 à 10 chez IMDb), les étiquettes qu'elle n'a pas
(ajoutées aux siennes) et l'identifiant IMDb qu'elle n'a pas. Une note
qu'elle a déjà est gardée, et dite, sauf avec --remplacer. Chaque fiche est
changée en une fois sous son verrou, ses autres octets tels quels ; une
seconde exécution ne change rien.

Le compte rendu, une ligne chacune : les fiches changées (et ce qui change,
comme l'écrit set), les notes gardées, les fiches à jour, les films ambigus
et introuvables (titre, année, fichier et ligne), puis les comptes. Une ligne
illisible de l'export est nommée par son numéro et passée.

  -n            dit ce qui changerait, sans rien écrire
  --json        le compte rendu en JSON : changees, a_jour, ambigus,
                introuvables, lignes_ignorees, en_echec, essai
  --remplacer   remplace aussi la note que la fiche a déjà
)" },
};
