#pragma once
// A window of which the program has one at a time: made, not shown, on first
// use; gone when it deletes itself (closed with Qt::WA_DeleteOnClose) or is
// discarded, after which the next use makes a fresh one. A window derives
// from SingleWindow<itself> and befriends it, keeping its constructor private.

#include <QPointer>

template <typename Window> class SingleWindow {
public:
    static Window &instance()
    {
        if (!s_window)
            s_window = new Window;
        return *s_window;
    }
    // Whether the window exists, without making it.
    static bool exists() { return !s_window.isNull(); }
    // Deletes the window; nothing happens when there is none.
    static void discard() { delete s_window.data(); }

protected:
    // Forgotten as soon as its own destructor has run: while its widget
    // parts are torn down, others asking for it would get half a window.
    ~SingleWindow() { s_window.clear(); }

private:
    static inline QPointer<Window> s_window;
};

// The property, true, of a window that stays open when the editor closes
// the others as it closes: the collection the editor was opened from.
inline constexpr char kOutlivesEditor[] = "outlivesEditor";
