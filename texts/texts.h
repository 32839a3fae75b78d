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
    CardsChosen,       // %1: their number
    ChangingOneCard,   // %1: 1
    ChangingCards,     // %1: their number
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
    OneMoreCard,
    MoreCards,   // %1: how many more
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
    OneCard,       // %1: the number, 0 or 1
    ManyCards,     // %1: their number
    ShownCards,    // %1: the cards shown, %2: all of them ("OneCard" or "ManyCards")
    ReadingCards,
    ReadingOneCard,      // %1: 0 or 1
    ReadingCardsCount,   // %1: the cards read so far
    WatchedOnNetwork,
    ShareUnreachable,
    TrashQuestion,   // %1: the card's title
    TrashFailed,
    TrashCardsQuestion,   // %1: how many cards
    CardsNotTrashed,      // the cards follow, one a line
    FolderUnreadable,
    ExportTitle,
    FilterHtml,
    FilterCsv,
    CatalogueKindRefused,
    CatalogueWritten,   // %1: the catalogue's path
    FilterExcel,
    FilterLetterboxd,
    FilterImdb,
    // histories and collections of other programs brought in
    ImportHistoryItem,
    ImportCollectionItem,
    ImportExchangeButton,
    ImportHistoryTitle,
    ImportCollectionTitle,
    FilterHistory,
    FilterCollection,
    FilterExchange,
    ReadingHistory,        // %1: the export
    ImportingCollection,   // %1: the file, %2: the folder
    ApplyingHistory,
    ExchangeTableName,
    MovieColumn,
    OutcomeColumn,
    CardColumn,
    DetailsColumn,
    ChangedOutcome,
    UpToDateOutcome,
    AmbiguousOutcome,
    NotFoundOutcome,
    WrittenOutcome,
    KeptOutcome,
    FailedOutcome,
    SkippedOutcome,
    OutcomeCount,   // %1: the outcome, %2: how many
    MovieYear,      // %1: the title, %2: the year
    MovieLine,      // %1: the movie, %2: its line in the file
    RatingKept,     // %1: the export's rating, %2: the card's, out of 10
    AlsoFoundBy,    // %1: the other movies
    RowUnreadable,
    RowWithoutTitle,
    RowBadYear,          // %1: the value
    RowBadRating,        // %1: the value
    RowBadDate,          // %1: the value
    RowBadIdentifier,    // %1: the value
    ValueLeftOut,        // %1: the field, %2: the value
    PosterMissing,       // %1: the picture's name
    PosterOutOfFolder,   // %1: the picture's name
    PosterNotPicture,    // %1: the picture's name
    ExchangeTooLarge,
    NotHistory,   // %1: the table
    ZipRefused,
    NotCollection,
    XmlUnreadable,   // %1: the line, %2: the reader's words
    XmlEntities,
    XmlTooDeep,
    TableWithoutTitle,
    FieldsLeftOut,   // %1: the file's fields or columns
    ApplyButton,
    CloseButton,
    HistoryAppliedOne,       // %1: 0 or 1
    HistoryApplied,          // %1: the cards changed
    CollectionImportedOne,   // %1: 0 or 1
    CollectionImported,      // %1: the cards written
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

// A count said in French: one for 0 and 1 ("0 fiche", "1 fiche"), many
// from 2 ("2 fiches"), each with its %1 the number as the locale writes it.
QString countText(qsizetype count, Text one, Text many);
