#pragma once
// The program's French texts, each reached by its name. The table is built
// once, on first use, and lives for the whole run.

#include <QString>

enum class Text {
    // the editor's captions and menus
    TitleCaption,
    YearCaption,
    RunningTimeCaption,
    DirectorCaption,
    GenreCaption,
    ActorsCaption,
    SummaryCaption,
    NewCardName,   // the caption's name of a card without a file
    DeleteActorTip,
    FileMenu,
    NewItem,
    OpenItem,
    SaveItem,
    SaveAsItem,
    PreviewItem,
    QuitItem,
    SearchItem,
    PosterMenu,
    FullViewItem,
    ChangePosterItem,
    RemovePosterItem,
    ResetPosterItem,
    PastePosterItem,
    AboutItem,
    // the editor's messages and dialog titles
    InvalidFormat,
    YearFormat,
    HoursFormat,
    MinutesFormat,
    TitleRequired,
    SaveChangesQuestion,
    OpenTitle,
    PosterChoiceTitle,
    WrongImage,
    ImageTooLarge,
    SearchPrompt,
    // the viewer's captions, menu and buttons
    ViewerYear,
    ViewerRunningTime,
    ViewerGenre,
    ViewerDirector,
    ViewerActors,
    ViewerSummary,
    ViewerFullViewItem,
    ViewerSavePosterItem,
    PlayButton,
    ViewerOk,
    // the About window
    AboutTitle,
    AboutAuthor,
    MailButton,
    AboutOk,
    PreReleaseMailTip,   // shown on the mail button of a pre-release
    BugReportLine,       // said when the desktop opened no page and no mail
    BetaVersion,         // a pre-release's version (%1: its minor number)
    // failures and the file dialogs' titles
    FileNotFound,
    SavePosterTitle,
    SaveCardAsTitle,
    WrongFile,
    WriteFailed,
    ReadFailed,
    UnsafeFolder,
    NameTooLong,
    LinkRefused,
    CardBusy,
    CardChanged,
    ExtensionDamaged,    // a card's data after its poster cannot be read
    CardChangedChoice,   // what the answers to CardChanged do
    KeepMineButton,
    ReloadButton,
    CardRemoved,
    CardRemovedSave,   // what Save does with a card removed
    // the collection window
    CollectionCaption,   // %1: the folder's name
    CollectionFileMenu,
    CollectionCardMenu,
    CollectionViewMenu,
    NewCardItem,
    ExportItem,
    CloseItem,
    ShowCardItem,
    EditCardItem,
    PlayMovieItem,
    OpenFolderItem,
    TrashItem,
    GridItem,
    ListItem,
    FindItem,
    SortMenu,
    DescendingItem,
    SearchPlaceholder,
    TitleColumn,
    YearColumn,
    RunningTimeColumn,
    GenreColumn,
    DirectorColumn,
    ActorsColumn,
    OriginalTitleColumn,
    SagaColumn,
    SeenColumn,
    LastSeenColumn,
    RatingColumn,
    TagsColumn,
    LentToColumn,
    AddedColumn,
    FolderColumn,
    RatingWords,     // %1: the stars, "3,5"
    SeenWord,        // said of a card seen
    YearAndFolder,   // %1: the year, %2: the folder; under a poster among duplicates
    DetailsItem,
    SeenTodayButton,
    SeenOn,   // %1: the days
    TagPlaceholder,
    AddTagButton,
    RemoveTagButton,
    LentSince,   // %1: the day
    SupportLabel,
    PlaceLabel,
    NotesLabel,
    PosterLabel,
    IdentifiersLabel,
    CardsChosen,     // %1: their number
    ChangingCards,   // %1: their number
    CancelButton,
    ToggleSeenItem,
    StatsItem,
    CardsSeries,
    DecadesChart,
    GenresChart,
    DirectorsChart,
    SeenChart,
    RatingsChart,
    RunningTimes,   // %1: the cards ("OneCard" or "ManyCards"), %2: their hours, %3: the hours of those seen
    ExportPictureButton,
    ExportPictureTitle,
    FilterPng,
    EmptyCollection,
    ImportLibraryButton,
    ImportQuestion,   // %1: the folder
    ImportReport,     // the tool's lines follow
    ImportFailed,
    CompareItem,
    FieldDifference,   // %1: the field, %2: its value in the first card, %3: in the second
    CardsAlike,
    HoursLabel,
    MinutesLabel,
    SummaryLabel,
    SortTitleLabel,
    CountriesLabel,
    PlaysLabel,
    LentOnLabel,
    ImdbLabel,
    TmdbLabel,
    TmdbDefaultLabel,
    CardsUnchanged,   // the cards follow, one a line
    MoreCards,        // %1: how many more
    AllCardsEntry,
    ToWatchEntry,
    SeenEntry,
    LentEntry,
    DuplicatesEntry,
    TagsEntry,
    SagasEntry,
    RatingsEntry,
    NoRatingEntry,
    GenresEntry,
    DirectorsEntry,
    DecadesEntry,
    DecadeLabel,   // %1: the decade's first year
    FacetCount,    // %1: the entry, %2: its count
    OneCard,
    ManyCards,    // %1: their number
    ShownCards,   // %1: the cards shown, %2: all of them ("OneCard" or "ManyCards")
    ReadingCards,
    ReadingCardsCount,   // %1: the cards read so far
    WatchedOnNetwork,
    ShareUnreachable,
    TrashQuestion,   // %1: the card's title
    TrashFailed,
    FolderUnreadable,
    ExportTitle,
    FilterHtml,
    FilterCsv,
    CatalogueKindRefused,
    CatalogueWritten,   // %1: the catalogue's path
    // labels of the file dialogs' type filters
    FilterAll,
    FilterCard,
    FilterImages,
    FilterJpeg,
    FilterBitmap,
    FilterGif,
    // the command line's --help and --version (%1: the version)
    CommandLineHelp,
    VersionNotice,
    InformationMisuse,   // --help or --version with anything else
    Count                // not a text: the number of texts
};

// The text named, exactly as stored (trailing blanks included).
const QString &textOf(Text name);
