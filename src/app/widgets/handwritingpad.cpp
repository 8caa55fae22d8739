#include "app/widgets/handwritingpad.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace mc::app {
namespace {

constexpr int kCanvasSide = 260;
constexpr int kCandidateCount = 10;

} // namespace

// The drawing square: the engine's strokes, the one being drawn, and the engine's error text
// when it cannot recognise.
class HandwritingCanvas final : public QWidget {
public:
    HandwritingCanvas(lookup::Handwriting &engine, std::function<void()> strokeDone, QWidget *parent)
        : QWidget(parent), m_engine(engine), m_strokeDone(std::move(strokeDone))
    {
        setObjectName(QStringLiteral("handwritingCanvas"));
        setFixedSize(kCanvasSide, kCanvasSide);
        setCursor(Qt::CrossCursor);
        m_engine.setBox(size());
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_current = {event->position().toPoint()};
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_current.isEmpty())
            return;
        const QPoint p = event->position().toPoint();
        if (p != m_current.constLast())
            m_current.append(p);
        update();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton || m_current.isEmpty())
            return;
        m_engine.addStroke(m_current);
        m_current.clear();
        m_strokeDone();
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), palette().base());
        // The guide lines of a practice square.
        painter.setPen(QPen(palette().mid().color(), 1, Qt::DashLine));
        painter.drawLine(width() / 2, 0, width() / 2, height());
        painter.drawLine(0, height() / 2, width(), height() / 2);
        painter.setPen(QPen(palette().mid().color(), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (!m_engine.errorText().isEmpty()) {
            painter.setPen(palette().text().color());
            painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                             m_engine.errorText());
        }
        painter.setPen(QPen(palette().text().color(), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const auto draw = [&painter](const lookup::Stroke &stroke) {
            if (stroke.size() == 1)
                painter.drawPoint(stroke.constFirst());
            else
                painter.drawPolyline(stroke.constData(), int(stroke.size()));
        };
        for (const lookup::Stroke &stroke : m_engine.strokes())
            draw(stroke);
        if (!m_current.isEmpty())
            draw(m_current);
    }

private:
    lookup::Handwriting &m_engine;
    std::function<void()> m_strokeDone;
    lookup::Stroke m_current;
};

HandwritingPad::HandwritingPad(QWidget *parent, const QString &modelPath)
    : QWidget(parent),
      m_engine(modelPath),
      m_canvas(new HandwritingCanvas(
          m_engine, [this] { refresh(); }, this))
{
    setObjectName(QStringLiteral("handwritingPad"));
    auto *candidates = new QGridLayout;
    candidates->setSpacing(2);
    for (int i = 0; i < kCandidateCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("candidate%1").arg(i));
        button->setFixedSize(44, 44);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.6);
        button->setFont(font);
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, button] {
            const QString chosen = button->text();
            clear();
            emit candidateChosen(chosen);
        });
        candidates->addWidget(button, i / 2, i % 2);
        m_buttons.append(button);
    }
    auto *clearButton = new QPushButton(QStringLiteral("清除"), this);
    clearButton->setObjectName(QStringLiteral("clearButton"));
    connect(clearButton, &QPushButton::clicked, this, &HandwritingPad::clear);
    auto *undoButton = new QPushButton(QStringLiteral("撤销"), this);
    undoButton->setObjectName(QStringLiteral("undoButton"));
    connect(undoButton, &QPushButton::clicked, this, &HandwritingPad::undoStroke);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(undoButton);
    buttons->addWidget(clearButton);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(m_canvas);
    left->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(candidates);
    layout->addStretch();
}

HandwritingPad::~HandwritingPad() = default;

void HandwritingPad::refresh()
{
    m_candidates = m_engine.candidates(kCandidateCount);
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setText(m_candidates.value(i));
        m_buttons[i]->setEnabled(i < m_candidates.size());
    }
    m_canvas->update();
}

void HandwritingPad::clear()
{
    m_engine.clear();
    refresh();
}

void HandwritingPad::undoStroke()
{
    m_engine.undoStroke();
    refresh();
}

} // namespace mc::app
