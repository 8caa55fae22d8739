#include "app/widgets/topbar.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/widgets.h"
#include "store/stores.h"

#include <QLinearGradient>
#include <QPainter>

namespace mc::app {
namespace {

constexpr int kHeight = 107;
const QColor kBandTop(250, 252, 253);
const QColor kBandMiddle(226, 236, 242);
const QColor kBandBottom(206, 220, 230);

void paintBand(QWidget *widget, int offsetY)
{
    QPainter p(widget);
    QLinearGradient band(0, -offsetY, 0, kHeight - offsetY);
    band.setColorAt(0, kBandTop);
    band.setColorAt(0.7, kBandMiddle);
    band.setColorAt(1, kBandBottom);
    p.fillRect(widget->rect(), band);
}

// Opaque, painted like the bar beneath it, so it hides whatever part of the service bar it covers.
class SectionBar final : public QWidget {
public:
    explicit SectionBar(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("FlatPanel3")); }

protected:
    void paintEvent(QPaintEvent *) override { paintBand(this, y()); }
};

struct BarButton {
    const char *name;
    const QString &caption;
    const char16_t *glyph;
    QColor colour;
    std::optional<store::StoreId> store = {}; // the store whose section the button shows
};

} // namespace

TopBar::TopBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FlatPanel5"));
    setFixedHeight(kHeight);

    m_serviceBar = new QWidget(this);
    m_serviceBar->setObjectName(QStringLiteral("FlatPanel6"));
    auto *servicePanel = new QWidget(m_serviceBar);
    servicePanel->setObjectName(QStringLiteral("FlatPanel9"));
    servicePanel->setGeometry(58, 18, 231, 75);
    const BarButton services[] = {
        {"fltbtn22", texts::kMoreButton, u"精", QColor(200, 120, 30)},
        {"fltbtn14", texts::kUpgradeButton, u"升", QColor(40, 140, 90)},
        {"fltbtn23", texts::kContactButton, u"联", QColor(60, 100, 180)},
    };
    QAbstractButton **serviceButtons[] = {&m_buttons.more, &m_buttons.upgrade, &m_buttons.contact};
    for (int i = 0; i < 3; ++i) {
        const BarButton &b = services[i];
        auto *button = new FlatButton(QString::fromLatin1(b.name), b.caption,
                                      art::barIcon(QString::fromUtf16(b.glyph), b.colour), servicePanel);
        button->move(1 + 77 * i, 1);
        *serviceButtons[i] = button;
    }

    m_sectionBar = new SectionBar(this);
    m_sectionBar->setGeometry(16, 18, 761, 75);
    using store::StoreId;
    auto title = [](StoreId id) -> const QString & { return store::storeInfo(id).title; };
    // The dictionary sections are captioned with their stores' titles.
    const BarButton sections[] = {
        {"fltbtn4", title(StoreId::Characters), u"字", QColor(190, 60, 40), StoreId::Characters},
        {"fltbtn6", title(StoreId::Idioms), u"成", QColor(200, 120, 30), StoreId::Idioms},
        {"fltbtn7", title(StoreId::Xiehouyu), u"歇", QColor(150, 110, 40), StoreId::Xiehouyu},
        {"fltbtn8", title(StoreId::English), u"英", QColor(50, 120, 190), StoreId::English},
        {"fltbtn12", title(StoreId::Sayings), u"言", QColor(120, 70, 160), StoreId::Sayings},
        {"fltbtn9", texts::kClassicsButton, u"经", QColor(110, 80, 40)},
        {"fltbtn5", title(StoreId::Words), u"词", QColor(40, 140, 110), StoreId::Words},
        // The online lookup's button is kept beneath "在线辞海", out of the mouse's reach.
        {"fltbtn11", texts::kOnlineLookupButton, u"典", QColor(90, 90, 90)},
        {"FlatButton1", texts::kLexiconButton, u"海", QColor(30, 110, 160)},
    };
    int slot = 0;
    for (const BarButton &b : sections) {
        auto *button = new FlatButton(QString::fromLatin1(b.name), b.caption,
                                      art::barIcon(QString::fromUtf16(b.glyph), b.colour), m_sectionBar);
        button->move(1 + 76 * qMin(slot++, 7), 1);
        m_buttons.sections.append({b.store, button});
    }
    m_buttons.lexicon = m_buttons.sections.takeLast().button;
    m_buttons.onlineLookup = m_buttons.sections.takeLast().button;
    // "在线辞海" hides the button beneath it completely: it fills itself with the bar's band. The
    // band is its window colour, not its button colour: the style draws the hover panel in the
    // button colour, which must stay a plain colour like the other buttons' (a gradient's own
    // colour is black).
    QAbstractButton *lexicon = m_buttons.lexicon;
    QLinearGradient band(0, -lexicon->y() - m_sectionBar->y(), 0, kHeight - lexicon->y() - m_sectionBar->y());
    band.setColorAt(0, kBandTop);
    band.setColorAt(0.7, kBandMiddle);
    band.setColorAt(1, kBandBottom);
    QPalette palette = lexicon->palette();
    palette.setBrush(QPalette::Window, band);
    lexicon->setPalette(palette);
    lexicon->setBackgroundRole(QPalette::Window);
    lexicon->setAutoFillBackground(true);

    auto *exit = new FlatButton(QStringLiteral("fltbtn13"), texts::kExitButton,
                                art::barIcon(QStringLiteral("退"), QColor(170, 40, 40)), m_sectionBar);
    exit->move(685, 1);
    m_buttons.exit = exit;
    m_sectionBar->raise();
}

void TopBar::resizeEvent(QResizeEvent *)
{
    m_serviceBar->setGeometry(width() - 306, 0, 306, kHeight);
}

void TopBar::paintEvent(QPaintEvent *)
{
    paintBand(this, 0);
    QPainter p(this);
    p.setPen(QColor(180, 196, 208));
    p.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace mc::app
