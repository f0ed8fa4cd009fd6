#include "fakeoffice.h"

#include <QDir>

namespace {

QString key(const QString &path)
{
    return QDir::cleanPath(path);
}

OfficeStatus startFailure()
{
    return {OfficeStatus::CannotStart, QStringLiteral("办公软件无法启动（测试）。")};
}

} // namespace

void FakeWorkbook::setCell(int row, int column, const CellValue &value)
{
    if (value.isEmpty())
        cells.remove({row, column});
    else
        cells.insert({row, column}, value);
}

void FakeWorkbook::setText(int row, int column, const QString &text)
{
    setCell(row, column, cellValueOfWrittenText(text));
}

// ---- spreadsheet ----

FakeSpreadsheet::~FakeSpreadsheet()
{
    close();
}

OfficeStatus FakeSpreadsheet::step(const QString &call)
{
    m_office.spreadsheetCalls << call;
    if (m_office.cannotStart)
        return startFailure();
    if (!m_open)
        return OfficeStatus::failure(QStringLiteral("没有打开的工作簿。"));
    return OfficeStatus::success();
}

OfficeStatus FakeSpreadsheet::writeStep(const QString &call)
{
    const OfficeStatus status = step(call);
    if (status.ok() && m_office.cellWritesFail)
        return OfficeStatus::failure(QStringLiteral("单元格无法写入（测试）。"));
    return status;
}

OfficeStatus FakeSpreadsheet::open(const QString &path)
{
    close();
    m_office.spreadsheetCalls << QStringLiteral("open ") + path;
    if (m_office.cannotStart)
        return startFailure();
    if (m_office.deniedPaths.contains(key(path)))
        return OfficeStatus::permissionDenied(path);
    if (!m_office.workbooks.contains(key(path)))
        return OfficeStatus::fileNotFound(path);
    m_workbook = m_office.workbooks.value(key(path));
    m_open = true;
    return OfficeStatus::success();
}

OfficeStatus FakeSpreadsheet::readCell(int row, int column, CellValue *value)
{
    const OfficeStatus status = step(QStringLiteral("readCell %1,%2").arg(row).arg(column));
    if (status.ok() && value)
        *value = m_workbook.cell(row, column);
    return status;
}

OfficeStatus FakeSpreadsheet::writeCell(int row, int column, const QString &text)
{
    const OfficeStatus status = writeStep(QStringLiteral("writeCell %1,%2").arg(row).arg(column));
    if (status.ok() && !m_workbook.arrayCells.contains({row, column}))
        m_workbook.setText(row, column, text);
    return status;
}

OfficeStatus FakeSpreadsheet::readBlock(CellBlock *block)
{
    const OfficeStatus status = step(QStringLiteral("readBlock %1,%2 %3x%4")
                                         .arg(block->top())
                                         .arg(block->left())
                                         .arg(block->rows())
                                         .arg(block->columns()));
    if (!status.ok())
        return status;
    for (int r = block->top(); r <= block->bottom(); ++r) {
        for (int c = block->left(); c <= block->right(); ++c)
            block->setValue(r, c, m_workbook.cell(r, c));
    }
    return status;
}

OfficeStatus FakeSpreadsheet::writeBlock(const CellBlock &block,
                                         QVector<PassedOverCell> *passedOver)
{
    if (passedOver)
        passedOver->clear();
    const OfficeStatus status = writeStep(QStringLiteral("writeBlock %1,%2 %3x%4")
                                              .arg(block.top())
                                              .arg(block.left())
                                              .arg(block.rows())
                                              .arg(block.columns()));
    if (!status.ok())
        return status;
    for (int r = block.top(); r <= block.bottom(); ++r) {
        for (int c = block.left(); c <= block.right(); ++c) {
            if (!block.isWritten(r, c))
                continue;
            if (!m_workbook.arrayCells.contains({r, c}))
                m_workbook.setText(r, c, block.writtenText(r, c));
            else if (passedOver)
                passedOver->append({r, c, PassedOverCell::Reason::ArrayFormula});
        }
    }
    return status;
}

OfficeStatus FakeSpreadsheet::saveAs(const QString &path)
{
    const OfficeStatus status = step(QStringLiteral("saveAs ") + path);
    if (!status.ok())
        return status;
    if (m_office.deniedPaths.contains(key(path)))
        return OfficeStatus::permissionDenied(path);
    m_office.workbooks.insert(key(path), m_workbook);
    return status;
}

OfficeStatus FakeSpreadsheet::close()
{
    if (m_open)
        m_office.spreadsheetCalls << QStringLiteral("close");
    m_open = false;
    m_workbook = FakeWorkbook();
    return OfficeStatus::success();
}

// ---- word processor ----

OfficeStatus FakeWordApp::begin(const QString &call)
{
    calls << call;
    if (m_office.cannotStart)
        return startFailure();
    if (!running) {
        running = true;
        visible = false;
        ++starts;
    }
    return OfficeStatus::success();
}

FakeWordApp::Document *FakeWordApp::active()
{
    return m_open.isEmpty() ? nullptr : &documents[m_open.last()];
}

OfficeStatus FakeWordApp::addDocument(const QString &path)
{
    OfficeStatus status = begin(QStringLiteral("addDocument ") + path);
    if (!status.ok())
        return status;
    if (m_office.deniedPaths.contains(key(path)))
        return OfficeStatus::permissionDenied(path);
    if (!m_office.documents.contains(key(path)))
        return {OfficeStatus::DocumentNotFound, QStringLiteral("文档未找到：") + path};
    Document document;
    document.basedOn = path;
    document.content.bookmarks = m_office.documents.value(key(path)).bookmarks;
    documents << document;
    m_open << documents.size() - 1;
    return status;
}

OfficeStatus FakeWordApp::goToBookmark(const QString &name)
{
    OfficeStatus status = begin(QStringLiteral("goToBookmark ") + name);
    Document *document = active();
    if (status.ok() && !document)
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    if (status.ok() && !document->content.bookmarks.contains(name))
        return OfficeStatus::failure(QStringLiteral("文档中没有书签“%1”。").arg(name));
    if (status.ok())
        document->currentBookmark = name;
    return status;
}

OfficeStatus FakeWordApp::typeText(const QString &text)
{
    OfficeStatus status = begin(QStringLiteral("typeText ") + text);
    Document *document = active();
    if (status.ok() && !document)
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    if (status.ok())
        document->content.typed << qMakePair(document->currentBookmark, text);
    return status;
}

OfficeStatus FakeWordApp::saveAs(const QString &path)
{
    OfficeStatus status = begin(QStringLiteral("saveAs ") + path);
    Document *document = active();
    if (status.ok() && !document)
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    if (status.ok() && m_office.deniedPaths.contains(key(path)))
        return OfficeStatus::permissionDenied(path);
    if (status.ok()) {
        document->savedAs << path;
        m_office.documents.insert(key(path), document->content);
    }
    return status;
}

OfficeStatus FakeWordApp::printOut()
{
    OfficeStatus status = begin(QStringLiteral("printOut"));
    Document *document = active();
    if (status.ok() && !document)
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    if (status.ok() && !printFailure.isEmpty())
        return OfficeStatus::failure(printFailure);
    if (status.ok())
        ++document->printed;
    return status;
}

OfficeStatus FakeWordApp::closeDocument()
{
    OfficeStatus status = begin(QStringLiteral("closeDocument"));
    Document *document = active();
    if (status.ok() && !document)
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    if (status.ok()) {
        document->closed = true;
        m_open.removeLast();
    }
    return status;
}

OfficeStatus FakeWordApp::quit()
{
    calls << QStringLiteral("quit");
    if (running)
        ++quits;
    for (int index : m_open)
        documents[index].closed = true;
    m_open.clear();
    running = false;
    visible = false;
    return OfficeStatus::success();
}

OfficeStatus FakeWordApp::setVisible(bool shown)
{
    OfficeStatus status = begin(QStringLiteral("setVisible %1").arg(shown ? 1 : 0));
    if (status.ok())
        visible = shown;
    return status;
}

// ---- suite ----

std::unique_ptr<Spreadsheet> FakeOffice::createSpreadsheet()
{
    ++spreadsheetsCreated;
    return std::make_unique<FakeSpreadsheet>(*this);
}

// ---- many bookmarks in one call ----

OfficeStatus FakeWordApp::typeAtBookmarks(const QList<QPair<QString, QString>> &texts)
{
    OfficeStatus status = begin(QStringLiteral("typeAtBookmarks %1").arg(texts.size()));
    Document *document = active();
    if (status.ok() && !document)
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    for (int i = 0; status.ok() && i < texts.size(); ++i) {
        const auto &[bookmark, text] = texts[i];
        if (!document->content.bookmarks.contains(bookmark))
            return OfficeStatus::failure(QStringLiteral("文档中没有书签“%1”。").arg(bookmark));
        document->currentBookmark = bookmark;
        document->content.typed << qMakePair(bookmark, text);
    }
    return status;
}
