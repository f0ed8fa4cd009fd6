#include "fieldbinder.h"

#include "fieldbox.h"
#include "fieldcatalogue.h"
#include "recordstore.h"
#include "vbtext.h"

namespace {

QString boxText(QWidget *box)
{
    if (auto *line = qobject_cast<FieldBox *>(box))
        return line->text();
    if (auto *multi = qobject_cast<MultiLineBox *>(box))
        return multi->text();
    return {};
}

} // namespace

FieldBinder::FieldBinder(RecordStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&store, &RecordStore::currentRowChanged, this, &FieldBinder::load);
    connect(&store, &RecordStore::valueChanged, this, [this](int row, int column) {
        if (row == m_store.currentIndex())
            columnChanged(column);
    });
}

void FieldBinder::bind(QWidget *box, const QString &column)
{
    const FieldSpec *def = FieldCatalogue::field(column);
    const Binding binding{box, RecordColumns::indexOf(column),
                          def && def->kind == FieldKind::Number};
    const int index = int(m_bindings.size());
    m_bindings << binding;
    m_byBoxName.insert(box->objectName(), index);
    m_byColumn.insert(binding.column, index);
    if (auto *line = qobject_cast<FieldBox *>(box)) {
        connect(line, &QLineEdit::textChanged, this,
                [this, index](const QString &text) { boxEdited(m_bindings[index], text); });
    } else if (auto *multi = qobject_cast<MultiLineBox *>(box)) {
        connect(multi, &MultiLineBox::textEdited, this,
                [this, index](const QString &text) { boxEdited(m_bindings[index], text); });
    }
    showValue(binding, m_store.value(binding.column));
}

QWidget *FieldBinder::box(const QString &boxName) const
{
    const auto it = m_byBoxName.constFind(boxName);
    return it == m_byBoxName.constEnd() ? nullptr : m_bindings[*it].box;
}

QString FieldBinder::text(const QString &boxName) const
{
    QWidget *w = box(boxName);
    return w ? boxText(w) : QString();
}

void FieldBinder::setText(const QString &boxName, const QString &text)
{
    QWidget *w = box(boxName);
    if (auto *line = qobject_cast<FieldBox *>(w))
        line->setText(text);
    else if (auto *multi = qobject_cast<MultiLineBox *>(w))
        multi->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FieldBinder::load()
{
    for (const Binding &binding : std::as_const(m_bindings))
        showValue(binding, m_store.value(binding.column));
}

void FieldBinder::showValue(const Binding &binding, const QString &value)
{
    ++m_silence;
    const bool editable = m_store.hasCurrent();
    const QString shown = binding.number ? VbText::wholeNumberDisplay(value) : value;
    if (auto *line = qobject_cast<FieldBox *>(binding.box)) {
        if (line->text() != shown)
            line->setText(shown);
        line->setReadOnly(!editable);
    } else if (auto *multi = qobject_cast<MultiLineBox *>(binding.box)) {
        if (multi->text() != shown)
            multi->setText(shown);
        multi->setReadOnly(!editable);
    }
    --m_silence;
}

void FieldBinder::boxEdited(const Binding &binding, const QString &text)
{
    if (m_silence > 0 || !m_store.hasCurrent())
        return;
    ++m_silence;
    m_store.setValue(binding.column, text);
    --m_silence;
    // Other boxes bound to the same column (the header's) show the new value too.
    for (int index : m_byColumn.values(binding.column)) {
        if (m_bindings[index].box != binding.box)
            showValue(m_bindings[index], text);
    }
}

void FieldBinder::columnChanged(int column)
{
    if (m_silence > 0)
        return;
    for (int index : m_byColumn.values(column))
        showValue(m_bindings[index], m_store.value(column));
}
