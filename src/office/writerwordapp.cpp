#include "writerwordapp.h"

#include "loadinteraction.h"
#include "unosupport.h"

#include <com/sun/star/awt/PosSize.hpp>
#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>
#include <com/sun/star/util/XSearchable.hpp>
#include <com/sun/star/view/PrintJobEvent.hpp>
#include <com/sun/star/view/PrintableState.hpp>
#include <com/sun/star/view/XPrintJobBroadcaster.hpp>
#include <com/sun/star/view/XPrintJobListener.hpp>
#include <com/sun/star/view/XPrintable.hpp>
#include <cppuhelper/implbase1.hxx>

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <atomic>
#include <memory>
#include <vector>

using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

struct Document
{
    Reference<css::lang::XComponent> component;
    Reference<css::container::XNameAccess> bookmarks;
    Reference<css::text::XTextRange> selection;
};

void showWindow(const Reference<css::lang::XComponent> &component, bool visible)
{
    const Reference<css::frame::XModel> model(component, UNO_QUERY_THROW);
    const Reference<css::frame::XFrame> frame = model->getCurrentController()->getFrame();
    const Reference<css::awt::XWindow> window = frame->getContainerWindow();
    if (visible) {
        // A document opened hidden has a window of no size yet: give it one, and let the
        // window manager make it full size.
        window->setVisible(true);
        const css::awt::Rectangle area = window->getPosSize();
        if (area.Width < 400 || area.Height < 300)
            window->setPosSize(40, 40, 1100, 800, css::awt::PosSize::POSSIZE);
        const Reference<css::awt::XTopWindow2> top(window, UNO_QUERY);
        if (top.is()) {
            top->setIsMaximized(true);
            top->toFront();
        }
    } else {
        window->setVisible(false);
    }
}

// Keeps the last state of a print job (the office reports it from its own thread).
class PrintJobWatcher : public cppu::WeakImplHelper1<css::view::XPrintJobListener>
{
public:
    explicit PrintJobWatcher(std::shared_ptr<std::atomic<int>> state) : m_state(std::move(state)) {}
    void SAL_CALL printJobEvent(const css::view::PrintJobEvent &event) override
    {
        m_state->store(int(event.State));
    }
    void SAL_CALL disposing(const css::lang::EventObject &) override {}

    static bool isFinal(int state)
    {
        return state == int(css::view::PrintableState_JOB_SPOOLED) ||
               state == int(css::view::PrintableState_JOB_COMPLETED) ||
               state == int(css::view::PrintableState_JOB_ABORTED) ||
               state == int(css::view::PrintableState_JOB_FAILED) ||
               state == int(css::view::PrintableState_JOB_SPOOLING_FAILED);
    }

private:
    std::shared_ptr<std::atomic<int>> m_state;
};

} // namespace

struct WriterWordApp::Impl
{
    explicit Impl(OfficeProcess &p) : process(p) {}

    OfficeProcess &process;
    std::vector<Document> documents;
    bool started = false;
    bool visible = false;
    int generation = 0;

    // Documents of an office that has ended since are gone.
    void forgetLost()
    {
        if (started && (generation != process.generation() || !process.isRunning())) {
            documents.clear();
            started = false;
            visible = false;
        }
    }
    Document *active()
    {
        forgetLost();
        return documents.empty() ? nullptr : &documents.back();
    }
    static OfficeStatus noDocument()
    {
        return OfficeStatus::failure(QStringLiteral("没有打开的文档。"));
    }
    bool shown() const { return visible && !process.isHeadless(); }
    OfficeStatus load(const OUString &url, bool asTemplate, const QString &what);
};

OfficeStatus WriterWordApp::Impl::load(const OUString &url, bool asTemplate, const QString &what)
{
    forgetLost();
    started = true;
    generation = process.generation();
    // The office's questions are answered here, never shown: a document protected by a
    // password is refused as one.
    bool passwordAsked = false;
    const Reference<css::lang::XComponent> loaded =
        loadQuietly(process, url, uno::loadArguments(shown(), asTemplate, false), &passwordAsked);
    if (passwordAsked && !loaded.is())
        return OfficeStatus::failure(
            QStringLiteral("%1失败：文档有密码保护，无法打开。").arg(what));
    const Reference<css::text::XTextDocument> text(loaded, UNO_QUERY);
    if (!text.is()) {
        uno::closeQuietly(loaded);
        return OfficeStatus::failure(QStringLiteral("打开文档失败：不是文字处理文档。"));
    }
    documents.push_back({loaded, nullptr, text->getText()->getStart()});
    if (shown())
        showWindow(loaded, true);
    return OfficeStatus::success();
}

WriterWordApp::WriterWordApp(OfficeProcess &process) : d(std::make_unique<Impl>(process)) {}

WriterWordApp::~WriterWordApp()
{
    quit();
}

OfficeStatus WriterWordApp::addDocument(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || file.isDir())
        return {OfficeStatus::DocumentNotFound,
                QStringLiteral("文档未找到：%1").arg(QDir::toNativeSeparators(path))};
    // Looked at, never opened: a pipe or a device would block the office.
    if (!file.isFile())
        return {OfficeStatus::DocumentNotFound,
                QStringLiteral("%1不是普通文件。").arg(QDir::toNativeSeparators(path))};
    if (!file.isReadable())
        return OfficeStatus::permissionDenied(path);
    const QString what = QStringLiteral("打开文档“%1”").arg(file.fileName());
    return uno::call(d->process, what, [&]() {
        const OfficeStatus status =
            uno::mapIoErrors(what, path, [&] { return d->load(uno::fileUrl(path), true, what); });
        if (status.number() == OfficeStatus::FileNotFound)
            return OfficeStatus(OfficeStatus::DocumentNotFound, status.text());
        return status;
    });
}

OfficeStatus WriterWordApp::addBlankDocument()
{
    return uno::call(d->process, QStringLiteral("新建文档"), [&]() {
        return d->load(OUString("private:factory/swriter"), false, QStringLiteral("新建文档"));
    });
}

OfficeStatus WriterWordApp::goToBookmark(const QString &name)
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    const QString what = QStringLiteral("定位书签“%1”").arg(name);
    return uno::call(d->process, what, [&]() -> OfficeStatus {
        if (!document->bookmarks.is()) {
            const Reference<css::text::XBookmarksSupplier> supplier(document->component,
                                                                    UNO_QUERY_THROW);
            document->bookmarks = supplier->getBookmarks();
        }
        try {
            const Reference<css::text::XTextContent> bookmark(
                document->bookmarks->getByName(uno::toOU(name)), UNO_QUERY_THROW);
            document->selection = bookmark->getAnchor();
        } catch (const css::container::NoSuchElementException &) {
            return OfficeStatus::failure(QStringLiteral("%1失败：文档中没有这个书签。").arg(what));
        }
        return OfficeStatus::success();
    });
}

OfficeStatus WriterWordApp::typeText(const QString &text)
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    QString typed = text;
    typed.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    typed.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return uno::call(d->process, QStringLiteral("输入文字"), [&]() -> OfficeStatus {
        const Reference<css::text::XText> body = document->selection->getText();
        const Reference<css::text::XTextCursor> cursor =
            body->createTextCursorByRange(document->selection);
        body->insertString(cursor.get(), uno::toOU(typed), true);
        cursor->collapseToEnd();
        document->selection = cursor.get();
        return OfficeStatus::success();
    });
}

OfficeStatus WriterWordApp::placeBookmark(const QString &placeholder, const QString &name)
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    const QString what = QStringLiteral("插入书签“%1”").arg(name);
    return uno::call(d->process, what, [&]() -> OfficeStatus {
        const Reference<css::util::XSearchable> searchable(document->component, UNO_QUERY_THROW);
        const Reference<css::util::XSearchDescriptor> search = searchable->createSearchDescriptor();
        search->setSearchString(uno::toOU(placeholder));
        const Reference<css::text::XTextRange> found(searchable->findFirst(search), UNO_QUERY);
        if (!found.is())
            return OfficeStatus::failure(
                QStringLiteral("%1失败：文档中没有“%2”。").arg(what, placeholder));
        found->setString(OUString());
        const Reference<css::lang::XMultiServiceFactory> factory(document->component,
                                                                 UNO_QUERY_THROW);
        const Reference<css::container::XNamed> bookmark(
            factory->createInstance(OUString("com.sun.star.text.Bookmark")), UNO_QUERY_THROW);
        bookmark->setName(uno::toOU(name));
        const Reference<css::text::XTextContent> content(bookmark, UNO_QUERY_THROW);
        found->getText()->insertTextContent(found, content, false);
        return OfficeStatus::success();
    });
}

OfficeStatus WriterWordApp::documentText(QString *text)
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    return uno::call(d->process, QStringLiteral("读取文档"), [&]() -> OfficeStatus {
        const Reference<css::text::XTextDocument> textDocument(document->component,
                                                               UNO_QUERY_THROW);
        *text = uno::toQ(textDocument->getText()->getString());
        return OfficeStatus::success();
    });
}

OfficeStatus WriterWordApp::saveAs(const QString &path)
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    return uno::storeAs(d->process, document->component, path, "MS Word 97",
                        QStringLiteral("保存文档“%1”").arg(QFileInfo(path).fileName()));
}

OfficeStatus WriterWordApp::printOut()
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    return uno::call(d->process, QStringLiteral("打印文档"), [&]() -> OfficeStatus {
        const Reference<css::view::XPrintable> printable(document->component, UNO_QUERY_THROW);
        OUString printer;
        for (const css::beans::PropertyValue &p : printable->getPrinter()) {
            if (p.Name == "Name")
                p.Value >>= printer;
        }
        if (printer.isEmpty())
            return OfficeStatus::failure(QStringLiteral("打印文档失败：没有默认打印机。"));
        const Reference<css::view::XPrintJobBroadcaster> broadcaster(document->component,
                                                                     UNO_QUERY_THROW);
        auto state = std::make_shared<std::atomic<int>>(-1);
        const Reference<css::view::XPrintJobListener> listener(new PrintJobWatcher(state));
        broadcaster->addPrintJobListener(listener);
        printable->print(uno::properties({uno::property("Wait", Any(true))}));
        // The job's last word comes as an event; wait for it a little.
        for (int i = 0; i < 200 && !PrintJobWatcher::isFinal(state->load()); ++i)
            QThread::msleep(25);
        broadcaster->removePrintJobListener(listener);
        const int last = state->load();
        if (last == int(css::view::PrintableState_JOB_SPOOLED) ||
            last == int(css::view::PrintableState_JOB_COMPLETED))
            return OfficeStatus::success();
        return OfficeStatus::failure(
            QStringLiteral("打印文档失败：打印机“%1”没有接受打印任务。").arg(uno::toQ(printer)));
    });
}

OfficeStatus WriterWordApp::closeDocument()
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    const Reference<css::lang::XComponent> component = document->component;
    d->documents.pop_back();
    if (!d->process.isRunning())
        return OfficeStatus::success();
    return uno::call(
        d->process, QStringLiteral("关闭文档"),
        [&]() -> OfficeStatus {
            uno::closeQuietly(component);
            return OfficeStatus::success();
        },
        false);
}

OfficeStatus WriterWordApp::quit()
{
    d->forgetLost();
    std::vector<Document> documents;
    documents.swap(d->documents);
    const bool wasStarted = d->started;
    const bool wasShown = d->shown();
    d->started = false;
    d->visible = false;
    if (!wasStarted || !d->process.isRunning())
        return OfficeStatus::success();
    return uno::call(
        d->process, QStringLiteral("退出文字处理"),
        [&]() -> OfficeStatus {
            for (auto it = documents.rbegin(); it != documents.rend(); ++it)
                uno::closeQuietly(it->component);
            // Once shown, the word processor shows its start window when its last document
            // is closed: that goes too (the next use starts the office again if need be).
            if (wasShown)
                uno::closeAllWindows(d->process);
            return OfficeStatus::success();
        },
        false);
}

OfficeStatus WriterWordApp::setVisible(bool visible)
{
    // Documents lost with an office that has ended since cannot be shown: a new office would
    // show nothing of them.
    const bool hadDocuments = !d->documents.empty();
    d->forgetLost();
    if (hadDocuments && d->documents.empty())
        return {OfficeStatus::OfficeStopped,
                QStringLiteral("显示文字处理失败：办公软件已退出，打开的文档随之关闭。")};
    return uno::call(d->process, QStringLiteral("显示文字处理"), [&]() -> OfficeStatus {
        d->started = true;
        d->generation = d->process.generation();
        d->visible = visible;
        if (d->process.isHeadless())
            return OfficeStatus::success();
        // A document the user has closed meanwhile is gone from the list.
        for (auto it = d->documents.begin(); it != d->documents.end();) {
            try {
                showWindow(it->component, visible);
                ++it;
            } catch (const css::lang::DisposedException &e) {
                if (uno::fromEndedBridge(d->process, e))
                    throw; // the office has ended, not the user
                it = d->documents.erase(it);
            }
        }
        return OfficeStatus::success();
    });
}

bool WriterWordApp::isRunning() const
{
    return d->started && d->generation == d->process.generation() && d->process.isRunning();
}

int WriterWordApp::documentCount() const
{
    d->forgetLost();
    return int(d->documents.size());
}

// ---- Typing at many bookmarks in one call ----
//
// A bridge call costs a millisecond or more, and typing at one bookmark takes several. The
// fill therefore runs inside the office as a Basic routine: an application library of the
// run's private profile, set up once per office start and invoked once per fill.

#include "basicroutine.h"

namespace {

// Returns the selection after the last text, "missing:NAME" for a bookmark the document
// lacks, or "error:TEXT". Errors are caught here: an office with a display would otherwise
// show them in a dialog of its own.
const char kFillSource[] = R"basic(
Function TypeAt(oDocument As Object, aNames As Variant, aTexts As Variant) As Variant
    Dim oMarks As Object, oRange As Object, oText As Object, oCursor As Object
    Dim vResult As Variant, bLocked As Boolean, i As Long
    On Error GoTo Failed
    oMarks = oDocument.getBookmarks()
    oDocument.lockControllers()
    bLocked = True
    oDocument.getUndoManager().lock()
    For i = LBound(aNames) To UBound(aNames)
        If Not oMarks.hasByName(aNames(i)) Then
            vResult = "missing:" & aNames(i)
            GoTo Done
        End If
        oRange = oMarks.getByName(aNames(i)).getAnchor()
        If i < UBound(aNames) Then
            oRange.getText().insertString(oRange, aTexts(i), True)
        Else
            oText = oRange.getText()
            oCursor = oText.createTextCursorByRange(oRange)
            oText.insertString(oCursor, aTexts(i), True)
            oCursor.collapseToEnd()
            vResult = oCursor
        End If
    Next i
Done:
    On Error Resume Next
    If bLocked Then
        oDocument.getUndoManager().unlock()
        oDocument.unlockControllers()
    End If
    TypeAt = vResult
    Exit Function
Failed:
    vResult = "error:" & Error$
    Resume Done
End Function
)basic";

const BasicRoutine kFill("WobzelFill", "Bookmarks", "TypeAt", kFillSource);

} // namespace

OfficeStatus WriterWordApp::typeAtBookmarks(const QList<QPair<QString, QString>> &texts)
{
    Document *document = d->active();
    if (!document)
        return d->noDocument();
    if (texts.isEmpty())
        return OfficeStatus::success();
    css::uno::Sequence<OUString> names(texts.size());
    css::uno::Sequence<OUString> values(texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        QString typed = texts[i].second;
        typed.replace(QLatin1String("\r\n"), QLatin1String("\r"));
        typed.replace(QLatin1Char('\n'), QLatin1Char('\r'));
        names.getArray()[i] = uno::toOU(texts[i].first);
        values.getArray()[i] = uno::toOU(typed);
    }
    const QString what = QStringLiteral("输入书签文字");
    return uno::call(d->process, what, [&]() -> OfficeStatus {
        css::uno::Sequence<Any> arguments(3);
        arguments.getArray()[0] <<= document->component;
        arguments.getArray()[1] <<= names;
        arguments.getArray()[2] <<= values;
        const Any result = kFill.invoke(d->process, arguments);
        OUString failure;
        if (result >>= failure) {
            if (failure.startsWith("missing:", &failure))
                return OfficeStatus::failure(
                    QStringLiteral("定位书签“%1”失败：文档中没有这个书签。")
                        .arg(uno::toQ(failure)));
            failure.startsWith("error:", &failure);
            return OfficeStatus::failure(QStringLiteral("%1失败：%2").arg(what, uno::toQ(failure)));
        }
        const Reference<css::text::XTextRange> end(result, UNO_QUERY);
        if (end.is())
            document->selection = end;
        return OfficeStatus::success();
    });
}
