#pragma once
// The card open in the editor, without its widgets: which file it is, whether
// it changed since its load or save, and where its poster is. The editor asks
// it to read, write and look at the card's file; it answers with the result,
// which the editor puts to the user.

#include "card/cardfile.h"
#include "card/cardlock.h"
#include "card/cardsave.h"

#include <QString>

#include <optional>

// The file behind the card as the editor last loaded or saved it. What else
// the editor must remember of that file at those moments belongs here too.
struct CardFile {
    QString path;   // empty for a card that has no file yet
    QString name;   // the name the caption shows
    bool readOnly = false;
    // The file as loaded or saved, to tell another program's change from
    // it; nullopt for a card without a file, or one removed since.
    std::optional<CardVersion> version {};
    // The file on disk the user was last told of, so as to tell them once.
    std::optional<CardVersion> noticed {};
};

// What became of the card's file on disk since it was loaded or saved.
enum class DiskChange { None, Changed, Removed };

class OpenCard {
public:
    const CardFile &file() const { return m_file; }
    bool hasFile() const { return !m_file.path.isEmpty(); }

    // A card without a file, shown under name.
    void startNew(const QString &name);
    // The card was read from path, the file version; its poster copy is
    // then kept (keepPoster).
    void loaded(const QString &path, bool readOnly, const CardVersion &version);
    // The card was written to its own file, or (savedAs) to path, which it
    // is now; written is the file as written.
    void saved(const CardVersion &written);
    void savedAs(const QString &path, const CardVersion &written);

    // What the file now on disk (onDisk, nullopt: none) is to the card's
    // file, a change the user was told of counting as none.
    DiskChange diskChange(const std::optional<CardVersion> &onDisk) const;
    // The file now on disk was looked at, and the user told of it.
    void noticeDisk(const std::optional<CardVersion> &onDisk);
    // The card's file was removed: the next save writes it anew.
    void fileRemoved() { m_file.version.reset(); }
    // Another program made the file read-only, or writable again.
    void setReadOnly(bool readOnly) { m_file.readOnly = readOnly; }

    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // Save writes over the file: only a changed card, never a read-only file.
    bool canSave() const { return m_modified && !m_file.readOnly; }

    // The copy of the poster as loaded, in the reset folder; empty when none.
    QString ownPoster() const;
    void takePoster(const QString &path);
    void removePoster();
    // The poster the editor shows, which a preview shows too: the one taken,
    // else the card's own unless it was removed.
    QString posterShown() const;

    // The card's texts and data as loaded or last saved (a new card's are
    // blank): a save takes the record's fields from the boxes, and keeps
    // the others, which the editor does not show, whole.
    const Card &content() const { return m_content; }

    // The card's file, read and written. The editor asks, and puts each
    // answer to the user; a failure changes nothing.

    // Reads the card at path, its poster into folder, a working folder made
    // for it. Once read, the card is that file, unmodified, folder its reset
    // folder (removed when there is no poster), and the working folders of
    // the card before are gone. On failure folder is left to the caller.
    CardRead load(const QString &path, const QString &folder);
    // Each write that succeeds makes the card the file written, unmodified,
    // its content card. save writes over the card's file while it is the
    // file loaded or saved (Changed, nothing written, when another program
    // wrote it since); a file removed since is written anew.
    SaveResult save(const Card &card);
    // Writes card at path, whole for a new card, else as a copy of the
    // card's file with its poster unless that was changed.
    SaveResult saveAs(const QString &path, const Card &card);
    // Writes card with the poster shown in place of the file onDisk the user
    // chose to replace (nullopt: none there); Changed when another program
    // wrote again since.
    SaveResult replace(const Card &card, const std::optional<CardVersion> &onDisk);
    // The card's file as it is on disk now; nullopt when there is none.
    std::optional<CardVersion> versionOnDisk() const;
    // A picture as the poster: takePoster, and pasteFolder (when not empty)
    // is the working folder of pasted pixels, which replaces an earlier one.
    void takePoster(const QString &path, const QString &pasteFolder);
    // Removes the card's working folders and forgets the posters they held.
    void removeWorkFolders();

private:
    // folder holds a copy of the card's poster as loaded (empty: none), kept
    // while the card is edited so that the poster can be reset.
    void keepPoster(const QString &folder);
    void forgetPoster();
    void markPosterChanged();
    // The poster a save over the card's file writes: the file's own bytes
    // unless it was changed.
    PosterChoice posterToWrite() const;
    // The poster the user sees, written in place of another program's card.
    PosterChoice posterShownToWrite() const;
    SaveResult writeShown(const Card &card, const std::optional<CardVersion> &onDisk) const;
    SaveResult savedIfWritten(const SaveResult &result, const Card &card);

    CardFile m_file;
    Card m_content;
    bool m_modified = false;
    QString m_resetFolder;
    QString m_pasteFolder;    // holds pasted pixels, WorkFile::Pasted
    QString m_posterToSave;   // the picture to save as the poster; empty when unchanged or removed
    // Whether a card with a file has another poster, or none, since its load
    // or save: its next save then writes the whole card.
    bool m_posterChanged = false;
    bool m_posterRemoved = false;   // since the load, or the poster taken last
};
