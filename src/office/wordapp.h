#pragma once

#include "officestatus.h"

#include <QList>
#include <QPair>
#include <QString>

// The program-wide word-processor object. Its first use starts the word processor (not
// visible); quit() ends what it holds and makes the next use start afresh. The active
// document is the one added last that is still open; the selection is that document's.
class WordApp
{
public:
    virtual ~WordApp() = default;

    // A new, unnamed document based on the file at `path` becomes the active document, with
    // the selection at its start. The file itself is only read. DocumentNotFound when the
    // file does not exist; a document protected by a password is refused, naming the password.
    virtual OfficeStatus addDocument(const QString &path) = 0;
    // Moves the selection to the bookmark `name` of the active document.
    virtual OfficeStatus goToBookmark(const QString &name) = 0;
    // Types `text` at the selection (replacing what it covers); the selection ends after it.
    virtual OfficeStatus typeText(const QString &text) = 0;
    // Stores the active document as a .doc file ("MS Word 97") at `path`, replacing a file of
    // that name without a question.
    virtual OfficeStatus saveAs(const QString &path) = 0;
    // Prints the whole active document once on the default printer and waits for the job.
    virtual OfficeStatus printOut() = 0;
    // Closes the active document without a question.
    virtual OfficeStatus closeDocument() = 0;
    // Closes every document opened through this object (the shown ones too) and ends the
    // instance: the next use starts a new one, not visible. Starts nothing when nothing runs.
    // The office process behind it keeps running, so the next use does not wait for a start.
    virtual OfficeStatus quit() = 0;
    // Shows the instance and its documents, and the documents added later. OfficeStopped when
    // the documents it held were lost with an office that has ended since.
    virtual OfficeStatus setVisible(bool visible) = 0;

    virtual bool isRunning() const = 0;
    virtual int documentCount() const = 0;

    // Types at many bookmarks of the active document in one call: the same as goToBookmark
    // then typeText for each (bookmark, text) pair, in order. Stops at the first failure; a
    // missing bookmark fails with its name in the text, and what was typed before it stays.
    virtual OfficeStatus typeAtBookmarks(const QList<QPair<QString, QString>> &texts)
    {
        for (const auto &[bookmark, text] : texts) {
            OfficeStatus status = goToBookmark(bookmark);
            if (status.ok())
                status = typeText(text);
            if (!status.ok())
                return status;
        }
        return OfficeStatus::success();
    }
};
