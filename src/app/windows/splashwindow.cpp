#include "app/windows/splashwindow.h"
#include "app/texts.h"
#include "app/widgets/gradientbar.h"
#include "platform/texts.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace mc::app {
namespace {

// Our splash picture: ink-wash hills under a pale sky, the program's name in brush-like type.
QPixmap splashPicture(const QSize &size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(250, 246, 232));
    sky.setColorAt(1, QColor(226, 236, 228));
    p.fillRect(pixmap.rect(), sky);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 96, 60));
    p.drawEllipse(QPointF(150, 46), 16, 16);

    auto hill = [&](int base, int peak, const QColor &colour) {
        QPainterPath path;
        path.moveTo(0, size.height());
        path.lineTo(0, base);
        path.cubicTo(size.width() * 0.3, peak, size.width() * 0.55, base + 30, size.width(), peak + 20);
        path.lineTo(size.width(), size.height());
        p.setBrush(colour);
        p.drawPath(path);
    };
    hill(150, 96, QColor(176, 198, 186));
    hill(178, 140, QColor(110, 146, 132));
    hill(214, 186, QColor(60, 96, 86));

    QFont title(QStringLiteral("宋体"));
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(90, 40, 10));
    p.drawText(QRect(0, 64, size.width(), 44), Qt::AlignCenter, QStringLiteral("明川字典"));
    title.setPixelSize(22);
    p.setFont(title);
    p.drawText(QRect(0, 104, size.width(), 30), Qt::AlignCenter, QStringLiteral("词 典"));
    QFont small(QStringLiteral("宋体"));
    small.setPixelSize(12);
    p.setFont(small);
    p.setPen(QColor(240, 240, 230));
    p.drawText(QRect(0, 222, size.width(), 20), Qt::AlignCenter, QStringLiteral("正在载入词库……"));
    return pixmap;
}

} // namespace

SplashWindow::SplashWindow(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(mc::texts::kAppTitle);
    setFixedSize(197, 253);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("suiImagePanel1"));
    picture->setGeometry(rect());
    picture->setPixmap(splashPicture(size()));

    m_bar = new GradientBar(picture);
    m_bar->setObjectName(QStringLiteral("GradProgress1"));
    m_bar->setGeometry(0, 206, 197, 4);
    m_bar->setRange(0, 100);
    m_bar->setColours(QColor(255, 255, 21), QColor(0, 176, 176));
    m_bar->setPosition(0);
}

void SplashWindow::showNow()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::hideNow()
{
    hide();
}

} // namespace mc::app
