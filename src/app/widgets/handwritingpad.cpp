#include "app/widgets/handwritingpad.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace mc::app {
namespace {

// Small enough that the quick lookup window with the pad open fits a 768-pixel-high screen.
constexpr int kCanvasSide = 200;
constexpr int kCandidateSide = 40;
constexpr int kCandidateCount = 10;
constexpr int kCandidatesPerRow = 5;
// The stroke being drawn is cut down whenever it reaches this many points, so a hand that never
// lets go costs no more than this.
constexpr int kMostPointsWhileDrawing = 1024;

} // namespace

// The drawing square: the engine's strokes, the one being drawn, and the pad's notice. A stroke
// begun when the engine is full is refused: nothing is drawn and the notice says why.
class HandwritingCanvas final : public QWidget {
public:
    HandwritingCanvas(HandwritingPad &pad, std::function<void()> strokeDone)
        : QWidget(&pad), m_pad(pad), m_strokeDone(std::move(strokeDone))
    {
        setObjectName(QStringLiteral("handwritingCanvas"));
        setFixedSize(kCanvasSide, kCanvasSide);
        setCursor(Qt::CrossCursor);
        m_pad.engine().setBox(size());
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && !m_pad.engine().isFull())
            m_current = {inside(event->position())};
        update();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_current.isEmpty())
            return;
        const QPoint p = inside(event->position());
        if (p == m_current.constLast())
            return;
        m_current.append(p);
        if (m_current.size() >= kMostPointsWhileDrawing)
            m_current = lookup::Handwriting::keptPoints(m_current);
        update();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton || m_current.isEmpty())
            return;
        if (const QPoint p = inside(event->position()); p != m_current.constLast())
            m_current.append(p);
        m_pad.engine().addStroke(m_current);
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
        painter.setPen(QPen(palette().text().color(), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const auto draw = [&painter](const lookup::Stroke &stroke) {
            if (stroke.size() == 1)
                painter.drawPoint(stroke.constFirst());
            else
                painter.drawPolyline(stroke.constData(), int(stroke.size()));
        };
        for (const lookup::Stroke &stroke : m_pad.engine().strokes())
            draw(stroke);
        if (!m_current.isEmpty())
            draw(m_current);
        const QString notice = m_pad.notice();
        if (!notice.isEmpty()) {
            // Over the ink, on a band of the background so it stays readable.
            const QRect band = rect().adjusted(8, 8, -8, -8);
            const QRect text = painter.boundingRect(band, Qt::AlignCenter | Qt::TextWordWrap, notice);
            painter.fillRect(text.adjusted(-4, -2, 4, 2), palette().base());
            painter.setPen(palette().text().color());
            painter.drawText(band, Qt::AlignCenter | Qt::TextWordWrap, notice);
        }
    }

private:
    // Moves that leave the square while the button is held count at its edge.
    QPoint inside(QPointF p) const
    {
        return {qBound(0, qRound(p.x()), width() - 1), qBound(0, qRound(p.y()), height() - 1)};
    }

    HandwritingPad &m_pad;
    std::function<void()> m_strokeDone;
    lookup::Stroke m_current;
};

HandwritingPad::HandwritingPad(QWidget *parent, const QString &modelPath)
    : QWidget(parent), m_engine(modelPath), m_canvas(new HandwritingCanvas(*this, [this] { refresh(); }))
{
    setObjectName(QStringLiteral("handwritingPad"));
    connect(&m_recognizer, &lookup::HandwritingRecognizer::candidatesReady, this, &HandwritingPad::showCandidates);
    auto *candidates = new QGridLayout;
    candidates->setSpacing(2);
    for (int i = 0; i < kCandidateCount; ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("candidate%1").arg(i));
        button->setFixedSize(kCandidateSide, kCandidateSide);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.5);
        button->setFont(font);
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, button] {
            const QString chosen = button->text();
            clear();
            emit candidateChosen(chosen);
        });
        candidates->addWidget(button, i / kCandidatesPerRow, i % kCandidatesPerRow);
        m_buttons.append(button);
    }
    auto *clearButton = new QPushButton(QStringLiteral("清除"), this);
    clearButton->setObjectName(QStringLiteral("clearButton"));
    connect(clearButton, &QPushButton::clicked, this, &HandwritingPad::clear);
    auto *undoButton = new QPushButton(QStringLiteral("撤销"), this);
    undoButton->setObjectName(QStringLiteral("undoButton"));
    connect(undoButton, &QPushButton::clicked, this, &HandwritingPad::undoStroke);

    // Candidates and buttons stand beside the square, so the pad is no taller than it.
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(undoButton);
    buttons->addWidget(clearButton);
    buttons->addStretch();
    auto *right = new QVBoxLayout;
    right->addLayout(candidates);
    right->addLayout(buttons);
    right->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_canvas, 0, Qt::AlignTop);
    layout->addLayout(right);
    layout->addStretch();
}

HandwritingPad::~HandwritingPad() = default;

QString HandwritingPad::notice() const
{
    if (!m_engine.errorText().isEmpty())
        return m_engine.errorText();
    if (m_engine.isFull())
        return QStringLiteral("已满 %1 笔，请撤销或清除后再写").arg(lookup::Handwriting::kMaxStrokes);
    return {};
}

void HandwritingPad::refresh()
{
    m_canvas->update();
    if (m_engine.strokes().isEmpty() || !m_engine.isReady()) {
        m_recognizer.cancel();
        showCandidates({});
        return;
    }
    m_recognizer.recognise(m_engine.recognition(kCandidateCount));
}

void HandwritingPad::showCandidates(const QStringList &candidates)
{
    m_candidates = candidates;
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setText(m_candidates.value(i));
        m_buttons[i]->setEnabled(i < m_candidates.size());
    }
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
