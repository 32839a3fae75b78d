#pragma once
// cinefiche-card's French texts, each reached by its name. A row is said by
// one call that fills every %1, %2... at once, so an argument that itself
// holds "%2" is printed as it stands.

#include <QString>

#include <type_traits>

enum class Say {
    // the commands over many cards and folders
    JsonOptionsClash,
    FindOutputsClash,
    BadYears,
    BadRatings,
    SeenOptionsClash,
    CatalogueKind,
    BadSeparator,
    CatalogueOptionsClash,
    // failures, each naming its file, and wrong usage
    Missing,
    NotRegularFile,
    Unreadable,
    NotCard,
    WriteFailed,
    OutputFailed,
    HelperMissing,
    HelperFailed,
    NoPoster,
    PosterNotDecoded,
    NotPicture,
    IsACard,
    Exists,
    NameTooLong,
    LinkRefused,
    CardBusy,
    LinkOutOfFolder,
    ShareSilent,
    MissingCommand,
    UnknownCommand,
    UsageOf,
    ArgumentCount,
    NotAnEdit,
    MissingOutput,
    NothingToChange,
    PosterOptionsClash,
    BadSize,
    ExtensionDamaged,
    DamagedNotChanged,
    NotAList,
    TitleMissing,
    JsonUnreadable,
    JsonNotObject,
    JsonRepeatedKey,
    NfoUnreadable,
    NfoNotMovie,
    NfoTooDeep,
    NfoNoTitle,
    PosterNotExported,
    // libraries, imports and histories
    NotFolder,
    PlacesAfterDashes,
    HistoryFoldersAfterDashes,
    NfoKept,
    PosterKept,
    CardKept,
    TableWithoutTitle,
    ImportSourcesClash,
    HistoryRatingKept,
    // the words of a picture, a field and an .nfo note refused
    PictureTooLarge,
    TooManyScans,
    UnknownField,
    FieldTooLong,
    FieldControlCharacter,
    FieldNotNumber,
    FieldTooManyItems,
    FieldEmptyItem,
    FieldItemWithBar,
    FieldNotFlag,
    FieldNotRating,
    FieldNotDate,
    FieldNotImdb,
    FieldNotTmdb,
    FieldNotCount,
    JsonWrongType,
    ExpectedText,
    ExpectedTexts,
    ExpectedFlag,
    ExpectedNumber,
    NfoTooLarge,
    WithOthers,
    Other,
    Others,
    OthersAfter,
    ItemsLeftOut,
    ProblemLeftOut,
    AlongWith,
    ControlReplaced,
    OtherIdentifier,
    NotSeenLeftOut,
    RuntimeRefused,
    RuntimeNotWritten,
    // the .nfo mark and the counts of nfo and import
    NfoMark,
    NfoMarkPoster,
    NfoCount,
    NfoWrittenOne,
    NfoWrittenMany,
    NfoKeptOne,
    NfoKeptMany,
    Failed,
    CardToWriteFrom,
    CardWrittenFrom,
    WithPosterNamed,
    CardToWriteOne,
    CardToWriteMany,
    CardWrittenOne,
    CardWrittenMany,
    ImportTrialCount,
    ImportCount,
    CardKeptOne,
    CardKeptMany,
    WithoutNfo,
    MovieWithoutNfoOne,
    MovieWithoutNfoMany,
    ImportProgress,
    MovieSeenOne,
    MovieSeenMany,
    // the help (tool/helprows.h)
    Version,
    ToolHelp,
    HelpShow,
    HelpFind,
    HelpDoublons,
    HelpCatalogue,
    HelpPoster,
    HelpThumbnail,
    HelpNew,
    HelpSet,
    HelpNfo,
    HelpFromNfo,
    HelpImport,
    HelpHistory,
    Count
};

// The raw text of a row, with its %1, %2... unfilled.
const QString &toolText(Say name);

// A number as QString::arg gives it; a text as it stands.
template <typename T> QString sayArg(const T &value)
{
    if constexpr (std::is_arithmetic_v<T>)
        return QString::number(value);
    else
        return QString(value);
}

// The text of a row with every argument filled in one pass.
template <typename... Args> QString say(Say name, const Args &...args)
{
    if constexpr (sizeof...(args) == 0)
        return toolText(name);
    else
        return toolText(name).arg(sayArg(args)...);
}
