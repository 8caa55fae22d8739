#include "app/learn/learnhooks.h"
#include "app/learn/partspanel.h"
#include "app/learn/sheetdialog.h"
#include "app/windows/quicklookupwindow.h"
#include "learn/partsindex.h"
#include "learn/structure.h"
#include "learn/texts.h"
#include "platform/guard.h"

#include <QAction>
#include <QBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

namespace mc::app {
namespace {

QString field(const QList<QPair<QString, QString>> &fields, const QString &column)
{
    for (const auto &[name, value] : fields) {
        if (name == column)
            return value;
    }
    return {};
}

constexpr int kPanelHeight = 250;

// The window grows by the panel rather than squeezing the hits, as far as the screen allows,
// and gives the room back after.
void showPanel(QuickLookupWindow *window, PartsPanel *panel, bool on)
{
    if (panel->isHidden() != on)
        return;
    const int room = kPanelHeight + window->layout()->spacing();
    panel->setVisible(on);
    if (!window->isVisible())
        return;
    window->resize(window->width(), window->height() + (on ? room : -room));
    // Kept on the screen: a window taller than the room below it moves up, then shrinks.
    if (const QScreen *screen = window->screen()) {
        const QRect free = screen->availableGeometry();
        const int frame = window->frameGeometry().height() - window->height();
        if (window->frameGeometry().bottom() > free.bottom())
            window->move(window->x(), std::max(free.top(), free.bottom() - window->frameGeometry().height()));
        if (window->frameGeometry().height() > free.height())
            window->resize(window->width(), free.height() - frame);
    }
}

} // namespace

void attachLearning(QuickLookupWindow *window, QBoxLayout *buttonRow, const QString &dataDir)
{
    auto *parts = new QToolButton(window);
    parts->setObjectName(QStringLiteral("QuickLookupParts"));
    parts->setText(learn::texts::kPartsButton);
    parts->setCheckable(true);
    auto *sheet = new QToolButton(window);
    sheet->setObjectName(QStringLiteral("QuickLookupSheet"));
    sheet->setText(learn::texts::kMakeSheet);
    buttonRow->addWidget(parts);
    buttonRow->addWidget(sheet);

    // Made the first time it is wanted: loading parts.db takes a moment.
    const auto panel = [window, parts, dataDir]() -> PartsPanel * {
        if (auto *existing = window->findChild<PartsPanel *>())
            return existing;
        PartsPanel *made = nullptr;
        if (!guarded([&] { made = new PartsPanel(dataDir, window); }))
            return nullptr;
        made->setFixedHeight(kPanelHeight);
        made->hide();
        static_cast<QBoxLayout *>(window->layout())->insertWidget(1, made);
        QObject::connect(made, &PartsPanel::characterChosen, window, [window](const QString &c) { window->lookUp(c); });
        return made;
    };
    QObject::connect(parts, &QToolButton::toggled, window, [window, parts, panel](bool on) {
        PartsPanel *p = on ? panel() : window->findChild<PartsPanel *>();
        if (p)
            showPanel(window, p, on);
        else if (on)
            parts->setChecked(false); // no parts data: the error was shown
    });
    QObject::connect(window->box(), &QLineEdit::textChanged, window, [parts, panel](const QString &text) {
        const auto typed = learn::PartsIndex::typedComponents(text);
        if (!typed)
            return;
        parts->setChecked(true);
        if (PartsPanel *p = panel())
            p->setPicks(*typed);
    });
    QObject::connect(sheet, &QToolButton::clicked, window,
                     [window, dataDir] { openSheetDialog(window, dataDir, window->box()->text()); });
}

SheetDialog *openSheetDialog(QWidget *parent, const QString &dataDir, const QString &text)
{
    auto *dialog = new SheetDialog(dataDir, text, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return dialog;
}

QAction *addSheetItem(QMenu *menu, QWidget *parent, const QString &dataDir, std::function<QString()> text)
{
    QAction *item = menu->addAction(learn::texts::kMakeSheet);
    item->setObjectName(QStringLiteral("mniPracticeSheet"));
    QObject::connect(item, &QAction::triggered, parent, [parent, dataDir, text = std::move(text)] {
        openSheetDialog(parent, dataDir, text ? text() : QString());
    });
    return item;
}

QString withStructure(const QString &entryHtml, const QString &dataDir, const QList<QPair<QString, QString>> &fields)
{
    const QString block = structureHtml(dataDir, fields);
    // Before the long explanation, where it is seen without scrolling.
    const qsizetype at = entryHtml.indexOf(QStringLiteral("<p><b>解释</b>"));
    return at < 0 ? entryHtml + block : QString(entryHtml).insert(at, block);
}

QString structureHtml(const QString &dataDir, const QList<QPair<QString, QString>> &fields)
{
    const QString character = field(fields, QStringLiteral("name"));
    const bool explained = !field(fields, QStringLiteral("content")).trimmed().isEmpty();
    const QStringList lines = learn::structureLines(learn::PartsIndex::readParts(dataDir, character), explained);
    if (lines.isEmpty())
        return {};
    QStringList escaped;
    for (const QString &line : lines)
        escaped.append(line.toHtmlEscaped());
    return QStringLiteral("<p><b>%1</b><br>%2</p>")
        .arg(learn::texts::kStructureHeading, escaped.join(QStringLiteral("<br>")));
}

} // namespace mc::app
