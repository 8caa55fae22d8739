#include "app/pages/welcomepage.h"
#include "app/servicecommands.h"
#include "app/texts.h"
#include "app/widgets/artwork.h"
#include "app/widgets/uikit.h"
#include "mc/config.h"
#include "platform/guard.h"
#include "platform/texts.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QUrl>
#include <QVBoxLayout>

namespace mc::app {
namespace {

// The large picture: a landscape with the program's name and its sections, redrawn to its size.
class WelcomePicture final : public QWidget {
public:
    explicit WelcomePicture(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("imgWelcome")); }

protected:
    void resizeEvent(QResizeEvent *) override { m_cache = QPixmap(); }
    void paintEvent(QPaintEvent *) override
    {
        if (m_cache.size() != size())
            m_cache = render();
        QPainter(this).drawPixmap(0, 0, m_cache);
    }

private:
    QPixmap render() const
    {
        QPixmap pixmap = art::scene(
            size(),
            {QColor(250, 246, 234), QColor(222, 234, 228), QColor(70, 110, 100), QString(), true, true, false, 255});
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QFont title = ui::song(44, true);
        p.setFont(title);
        p.setPen(QColor(255, 255, 255, 160));
        const QRect titleBox(0, int(height() * 0.12), width(), 60);
        p.drawText(titleBox.translated(2, 2), Qt::AlignCenter, mc::texts::kAppTitle);
        p.setPen(QColor(90, 40, 10));
        p.drawText(titleBox, Qt::AlignCenter, mc::texts::kAppTitle);
        p.setFont(ui::song(16));
        p.setPen(QColor(110, 70, 30));
        p.drawText(QRect(0, titleBox.bottom() + 6, width(), 26), Qt::AlignCenter,
                   QStringLiteral("字 · 词 · 成语 · 歇后语 · 英汉 · 名言 · 经典"));
        p.setFont(ui::song(14));
        p.setPen(QColor(80, 80, 80));
        p.drawText(QRect(0, titleBox.bottom() + 36, width(), 24), Qt::AlignCenter,
                   QStringLiteral("点击上方按钮，开始查阅"));
        return pixmap;
    }

    QPixmap m_cache;
};

// The site as people write it: without the scheme and the closing slash.
QString siteForDisplay()
{
    const QUrl site(QStringLiteral(MC_MAKER_SITE));
    QString path = site.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return site.host() + path;
}

LinkLabel *contactLine(QWidget *parent, QVBoxLayout *layout, const QString &name, const QString &text)
{
    auto *line = new LinkLabel(text, parent);
    line->setObjectName(name);
    line->setFont(ui::song(13));
    ui::setForeground(line, QColor(0, 70, 140));
    line->setAlignment(Qt::AlignCenter);
    layout->addWidget(line);
    return line;
}

} // namespace

WelcomePage::WelcomePage(QWidget *parent) : PagePanel(QStringLiteral("flatpanel16"), QColor(252, 251, 246), parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(20);

    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("pnlWelcomeColumn"));
    column->setFixedWidth(220);
    ui::setBackground(column, QColor(244, 240, 228));
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(6, 28, 6, 24);
    columnLayout->setSpacing(8);

    for (const auto &[text, pixels] : {std::pair{texts::kAwardYears, 18}, std::pair{texts::kAward, 17}}) {
        QLabel *line = ui::caption(column, text, 0, 0, ui::song(pixels, true), QColor(150, 30, 20));
        line->setAlignment(Qt::AlignCenter);
        columnLayout->addWidget(line);
    }
    auto *icon = new QLabel(column);
    icon->setObjectName(QStringLiteral("imgAward"));
    icon->setPixmap(art::emblem(96));
    icon->setAlignment(Qt::AlignCenter);
    columnLayout->addSpacing(10);
    columnLayout->addWidget(icon);
    columnLayout->addStretch(1);

    QWidget *owner = this;
    LinkLabel *chat = contactLine(column, columnLayout, QStringLiteral("lblQQ"),
                                  QStringLiteral("QQ:") + QStringLiteral(MC_MAKER_ACCOUNT));
    connect(chat, &LinkLabel::clicked, this,
            [owner] { guarded([owner] { service::chatWithAuthor(owner->window()); }); });
    LinkLabel *web
        = contactLine(column, columnLayout, QStringLiteral("lblWeb"), QStringLiteral("WEB:") + siteForDisplay());
    connect(web, &LinkLabel::clicked, this, [owner] { guarded([owner] { service::visitSite(owner->window()); }); });
    LinkLabel *mail = contactLine(column, columnLayout, QStringLiteral("lblEmail"),
                                  QStringLiteral("EMAIL:") + QStringLiteral(MC_MAKER_EMAIL));
    connect(mail, &LinkLabel::clicked, this,
            [owner] { guarded([owner] { service::contactAuthor(owner->window()); }); });
    LinkLabel *studio = contactLine(column, columnLayout, QStringLiteral("lblStudio"), texts::kStudio);
    connect(studio, &LinkLabel::clicked, this, [owner] { guarded([owner] { service::visitSite(owner->window()); }); });
    layout->addWidget(column);

    layout->addWidget(new WelcomePicture(this), 1);
}

} // namespace mc::app
