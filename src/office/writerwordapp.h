#pragma once

#include "wordapp.h"

#include <memory>

class OfficeProcess;

// The word-processor object over LibreOffice Writer. Documents are made as untitled copies
// of their files (the files are only read); saveAs writes a new file (under a temporary name
// first, renamed when complete) and leaves the document untitled.
class WriterWordApp : public WordApp
{
public:
    // `process` must outlive this object; it is started by the first call that needs it.
    explicit WriterWordApp(OfficeProcess &process);
    ~WriterWordApp() override;

    OfficeStatus addDocument(const QString &path) override;
    OfficeStatus goToBookmark(const QString &name) override;
    OfficeStatus typeText(const QString &text) override;
    OfficeStatus saveAs(const QString &path) override;
    OfficeStatus printOut() override;
    OfficeStatus closeDocument() override;
    OfficeStatus quit() override;
    OfficeStatus setVisible(bool visible) override;
    bool isRunning() const override;
    int documentCount() const override;

    // How documents are made from nothing (templates of tests, the help document): a new empty
    // document becomes the active one; the first `placeholder` in its text is replaced by a
    // bookmark `name`; the text of the active document is read back.
    OfficeStatus addBlankDocument();
    OfficeStatus placeBookmark(const QString &placeholder, const QString &name);
    OfficeStatus documentText(QString *text);

    struct Impl;

private:
    std::unique_ptr<Impl> d;

public:
    // The whole fill runs inside the office as one call (a routine of the office's own, set up
    // once per office start), not as several bridge calls per bookmark.
    OfficeStatus typeAtBookmarks(const QList<QPair<QString, QString>> &texts) override;
};
