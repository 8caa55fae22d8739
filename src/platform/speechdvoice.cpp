#include "platform/speechdvoice.h"
#include "core/error.h"

#include <QDeadlineTimer>
#include <QLocale>
#include <QLoggingCategory>
#include <QMutex>
#include <QTextToSpeech>
#include <QThread>
#include <QTimer>
#include <QVoice>
#include <QWaitCondition>
#include <algorithm>
#include <optional>

Q_LOGGING_CATEGORY(lcVoice, "mc.platform.voice", QtInfoMsg)

namespace mc {
namespace {

// How long a press may wait for the engine to connect before it goes on without it; a fast
// failure (no engine at all) is still reported at the press.
constexpr int kQuickWaitMs = 500;
// Connecting lists the voices of every language and can take several seconds.
constexpr int kConnectDeadlineMs = 30000;
// A request the engine never starts is given up after this long.
constexpr int kStartDeadlineMs = 10000;

QString noEngineText(const QString &)
{
    return QStringLiteral("无法加载语音朗读引擎。");
}
const QString kNoAnswerText = QStringLiteral("语音朗读引擎没有响应。");
const QString kNoChineseText = QStringLiteral("语音朗读引擎没有中文语音。");
const QString kNoEnglishText = QStringLiteral("语音朗读引擎没有英文语音。");
const QString kEngineErrorText = QStringLiteral("语音朗读引擎出错。");

} // namespace

// Shared between the caller, who waits briefly, and the worker, who fills it in.
struct ConnectResult {
    QMutex mutex;
    QWaitCondition done;
    bool finished = false;
    bool ok = false;
    bool hasChinese = false;
    bool hasEnglish = false;
    QString error;
};

struct Utterance {
    int stream = 0;
    SpeechLanguage language = SpeechLanguage::Default;
    QString text;
    double volume = 1.0;
    double rate = 0.0;
};

// Owns the engine inside the speech thread and speaks the queued requests one after another.
class SpeechWorker final : public QObject {
    Q_OBJECT
public:
    SpeechWorker(const QString &engine, std::shared_ptr<ConnectResult> result)
        : m_engineName(engine), m_result(std::move(result))
    {}

    void connectEngine()
    {
        QString error;
        if (!QTextToSpeech::availableEngines().contains(m_engineName)) {
            error = noEngineText(m_engineName);
        } else {
            m_tts = new QTextToSpeech(m_engineName, this);
            if (m_tts->state() == QTextToSpeech::Error) {
                error = noEngineText(m_engineName); // the engine's own text is English and technical
            } else {
                findVoices();
                connect(m_tts, &QTextToSpeech::stateChanged, this, &SpeechWorker::onStateChanged);
                m_startTimer = new QTimer(this);
                m_startTimer->setSingleShot(true);
                connect(m_startTimer, &QTimer::timeout, this, &SpeechWorker::onStartOverdue);
            }
        }
        {
            QMutexLocker lock(&m_result->mutex);
            m_result->finished = true;
            m_result->ok = error.isEmpty();
            m_result->error = error;
            m_result->hasChinese = !m_chinese.name().isEmpty();
            m_result->hasEnglish = !m_english.name().isEmpty();
            m_result->done.wakeAll();
        }
        emit connectFinished(error.isEmpty(), error);
    }

    void enqueue(const Utterance &utterance)
    {
        if (!m_tts)
            return; // the connection failed; the caller has been told
        m_queue.append(utterance);
        speakNext();
    }

signals:
    void connectFinished(bool ok, const QString &error);
    void spoken(int stream, const QString &voiceName);
    void failed(const QString &text);
    void engineLost(const QString &text);

private:
    // Mandarin is offered only under the C locale, and only by name; the plain "cmn" voice reads
    // tone digits in English, so the pinyin one is looked for exactly.
    void findVoices()
    {
        m_tts->setLocale(QLocale::c());
        for (const QVoice &voice : m_tts->availableVoices()) {
            if (voice.name() == SpeechdVoice::chineseVoiceName()) {
                m_chinese = voice;
                break;
            }
        }
        m_tts->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        const QList<QVoice> english = m_tts->availableVoices();
        for (const QVoice &voice : english) {
            if (voice.name() == QLatin1String("English (America)")) {
                m_english = voice;
                break;
            }
        }
        if (m_english.name().isEmpty() && !english.isEmpty())
            m_english = english.constFirst();
        qCDebug(lcVoice) << "voices:" << m_chinese.name() << m_english.name();
    }

    void speakNext()
    {
        while (!m_current && !m_queue.isEmpty()) {
            const Utterance next = m_queue.takeFirst();
            if (next.text.trimmed().isEmpty()) {
                emit spoken(next.stream, QString()); // a tag alone: nothing to hear
                continue;
            }
            QVoice voice = m_tts->voice();
            if (next.language == SpeechLanguage::Chinese)
                voice = m_chinese;
            else if (next.language == SpeechLanguage::English)
                voice = m_english;
            if (voice.name().isEmpty()) {
                emit failed(next.language == SpeechLanguage::English ? kNoEnglishText : kNoChineseText);
                continue;
            }
            if (m_tts->voice().name() != voice.name())
                m_tts->setVoice(voice);
            m_tts->setVolume(next.volume);
            m_tts->setRate(next.rate);
            m_current = next;
            m_started = false;
            m_tts->say(next.text);
            m_startTimer->start(kStartDeadlineMs);
        }
    }

    void onStateChanged(QTextToSpeech::State state)
    {
        if (state == QTextToSpeech::Error) {
            m_current.reset();
            m_queue.clear();
            qCWarning(lcVoice) << "speech engine error:" << m_tts->errorString();
            emit engineLost(kEngineErrorText);
            return;
        }
        if (!m_current)
            return;
        if (state == QTextToSpeech::Speaking) {
            m_started = true;
            m_startTimer->stop();
        } else if (state == QTextToSpeech::Ready && m_started) {
            finishCurrent();
        }
    }

    // Some texts (punctuation alone) never start speaking: move on rather than stall the queue.
    void onStartOverdue()
    {
        if (m_current && !m_started && m_tts->state() == QTextToSpeech::Ready)
            finishCurrent();
        else if (m_current && !m_started)
            m_startTimer->start(kStartDeadlineMs);
    }

    void finishCurrent()
    {
        const int stream = m_current->stream;
        m_current.reset();
        m_startTimer->stop();
        emit spoken(stream, m_tts->voice().name());
        speakNext();
    }

    QString m_engineName;
    std::shared_ptr<ConnectResult> m_result;
    QTextToSpeech *m_tts = nullptr;
    QTimer *m_startTimer = nullptr;
    QVoice m_chinese;
    QVoice m_english;
    QList<Utterance> m_queue;
    std::optional<Utterance> m_current;
    bool m_started = false;
};

SpeechdVoice::SpeechdVoice(const QString &engine, QObject *parent) : Voice(parent), m_engineName(engine)
{
    m_deadline = new QTimer(this);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] {
        if (m_connection != Connection::Connecting)
            return;
        abandonWorker();
        emit failed(kNoAnswerText);
    });
}

SpeechdVoice::~SpeechdVoice()
{
    abandonWorker();
}

const QString &SpeechdVoice::chineseVoiceName()
{
    static const QString name = QStringLiteral("Chinese (Mandarin, latin as Pinyin)");
    return name;
}

void SpeechdVoice::setVolume(int volume)
{
    ensureConnected();
    m_volume = std::clamp(volume, 0, 100);
}

void SpeechdVoice::setRate(int rate)
{
    ensureConnected();
    m_rate = std::clamp(rate, -10, 10);
}

int SpeechdVoice::speak(const QString &text, int)
{
    ensureConnected();
    const SpeechRequest request = parseSpeechRequest(text);
    if (m_connection == Connection::Connected && !request.text.trimmed().isEmpty()) {
        if (request.language == SpeechLanguage::Chinese && !m_hasChinese)
            throw Error(kNoChineseText);
        if (request.language == SpeechLanguage::English && !m_hasEnglish)
            throw Error(kNoEnglishText);
    }
    const Utterance utterance{++m_lastStream, request.language, request.text, m_volume / 100.0, m_rate / 10.0};
    SpeechWorker *worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, utterance] { worker->enqueue(utterance); }, Qt::QueuedConnection);
    return utterance.stream;
}

void SpeechdVoice::ensureConnected()
{
    if (m_connection != Connection::None)
        return; // connected, or connecting with the requests queued behind it
    ++m_attempts;
    m_pending = std::make_shared<ConnectResult>();
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker = new SpeechWorker(m_engineName, m_pending);
    m_worker->moveToThread(m_thread);
    SpeechWorker *worker = m_worker;
    connect(worker, &SpeechWorker::connectFinished, this, [this, worker](bool ok, const QString &error) {
        if (worker == m_worker)
            onConnectFinished(ok, error);
    });
    connect(worker, &SpeechWorker::spoken, this, &SpeechdVoice::spoken);
    connect(worker, &SpeechWorker::failed, this, &Voice::failed);
    connect(worker, &SpeechWorker::engineLost, this, [this, worker](const QString &text) {
        if (worker != m_worker)
            return;
        abandonWorker();
        emit failed(text);
    });
    m_thread->start();
    QMetaObject::invokeMethod(worker, &SpeechWorker::connectEngine, Qt::QueuedConnection);
    m_connection = Connection::Connecting;

    bool finished = false;
    bool ok = false;
    QString error;
    {
        QMutexLocker lock(&m_pending->mutex);
        if (!m_pending->finished)
            m_pending->done.wait(&m_pending->mutex, QDeadlineTimer(kQuickWaitMs));
        finished = m_pending->finished;
        ok = m_pending->ok;
        error = m_pending->error;
    }
    if (!finished) {
        m_deadline->start(kConnectDeadlineMs);
        return;
    }
    if (!ok) {
        abandonWorker();
        throw Error(error);
    }
    onConnectFinished(true, QString());
}

void SpeechdVoice::onConnectFinished(bool ok, const QString &error)
{
    if (m_connection != Connection::Connecting)
        return;
    m_deadline->stop();
    if (ok) {
        m_connection = Connection::Connected;
        QMutexLocker lock(&m_pending->mutex);
        m_hasChinese = m_pending->hasChinese;
        m_hasEnglish = m_pending->hasEnglish;
        return;
    }
    abandonWorker();
    emit failed(error);
}

void SpeechdVoice::abandonWorker()
{
    m_deadline->stop();
    m_connection = Connection::None;
    m_pending.reset();
    if (!m_thread)
        return;
    QThread *thread = m_thread;
    SpeechWorker *worker = m_worker;
    m_thread = nullptr;
    m_worker = nullptr;
    disconnect(worker, nullptr, this, nullptr);
    worker->deleteLater(); // runs in the speech thread as it finishes
    thread->quit();
    // A thread stuck in the speech service is left to end by itself.
    if (thread->wait(200))
        delete thread;
    else
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
}

} // namespace mc

#include "speechdvoice.moc"
