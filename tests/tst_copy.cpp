#include "core/error.h"
#include "speech/copy.h"
#include "tst_speech_fixture.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QHash>

using namespace mc;
using namespace Qt::StringLiterals;

namespace {

// A row with a value in every column a copy reads; line breaks inside a field are kept.
const QHash<QString, QString> kRow = {
    {u"name"_s, u"名"_s},   {u"spell"_s, u"pīn"_s},       {u"content"_s, u"释义\r\n第二行"_s}, {u"word"_s, u"词"_s},
    {u"ord"_s, u"詞"_s},    {u"derivation"_s, u"出处"_s}, {u"samples"_s, u"例句"_s},           {u"end1"_s, u"后半"_s},
    {u"单词"_s, u"U.S."_s}, {u"解释"_s, u"n. 美国"_s},
};

} // namespace

class TestCopy final : public QObject {
    Q_OBJECT
private slots:
    void composed_data()
    {
        QTest::addColumn<speech::CopyText>("text");
        QTest::addColumn<bool>("withValues");
        QTest::addColumn<QString>("expected");
        using C = speech::CopyText;
        const auto both = [](const char *name, C text, const QString &values, const QString &empty) {
            QTest::addRow("%s values", name) << text << true << values;
            QTest::addRow("%s empty", name) << text << false << empty;
        };
        both("character", C::Character, u"名 pīn"_s, u" "_s);
        both("character explanation", C::CharacterExplanation, u"\u201C名\u201D汉字释义\uFF1A\r\n\r\n释义\r\n第二行"_s,
             u"\u201C\u201D汉字释义\uFF1A\r\n\r\n"_s);
        both("word forms", C::WordForms, u"词\r\n詞\r\npīn"_s, u"\r\n\r\n"_s);
        both("word explanation", C::WordExplanation, u"词\r\n\r\n释义\r\n第二行"_s, u"\r\n\r\n"_s);
        both("idiom", C::Idiom, u"\u3016成语\u3017名\r\n\u3016拼音\u3017pīn\r\n释义\r\n第二行\r\n出处\r\n例句"_s,
             u"\u3016成语\u3017\r\n\u3016拼音\u3017\r\n\r\n\r\n"_s);
        both("xiehouyu", C::Xiehouyu, u"名------后半"_s, u"------"_s);
        both("xiehouyu halves", C::XiehouyuHalves, u"名    后半"_s, u"    "_s);
        both("english", C::English, u"|U.S.| n. 美国"_s, u"|| "_s);
        both("saying", C::Saying, u"名(出处)"_s, u"()"_s);
    }
    void composed()
    {
        QFETCH(speech::CopyText, text);
        QFETCH(bool, withValues);
        QFETCH(QString, expected);
        const speech::FieldReader field
            = [withValues](const QString &column) { return withValues ? kRow.value(column, u"?"_s) : QString(); };
        int found = 0;
        for (const speech::CopyCommand &command : speech::copyCommands()) {
            if (command.text != text)
                continue;
            ++found;
            QCOMPARE(command.compose(field), expected);
        }
        QCOMPARE(found, 1);
    }

    void everyCommandIsListedOnce()
    {
        QList<speech::CopyText> texts;
        for (const speech::CopyCommand &command : speech::copyCommands()) {
            QVERIFY(!texts.contains(command.text));
            texts.append(command.text);
        }
        QCOMPARE(texts.size(), 9);
        std::sort(texts.begin(), texts.end());
        // Every copy control of the window is handed to its command: the nine buttons and both halves.
        test::RunningProgram program;
        const QMultiMap<speech::CopyText, QWidget *> controls = program.windows().main->speechControls().copy;
        QCOMPARE(controls.size(), 10);
        QCOMPARE(controls.uniqueKeys(), texts);
        QVERIFY(!controls.values().contains(nullptr));
    }

    void clipboardFailureIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(Error, speech::setClipboardText(nullptr, u"x"_s));
        speech::setClipboardText(QGuiApplication::clipboard(), u"汉字\r\n"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"汉字\r\n"_s);
    }

    // The controls of the main window copy their section's current row and never show a message.
    void controlsCopyTheCurrentRow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("character") << u"PDJButton32"_s << u"ADOQuery2"_s << u"name"_s << u"永"_s << u"永 yǒng"_s;
        QTest::newRow("word forms") << u"PDJButton30"_s << u"ADOQuery5"_s << u"word"_s << u"母亲"_s
                                    << u"母亲\r\n母親\r\nmǔ qīn"_s;
        QTest::newRow("xiehouyu second half")
            << u"DBText12"_s << u"ADOQuery3"_s << u"name"_s << u"阿斗当皇帝"_s << u"阿斗当皇帝    无能"_s;
        QTest::newRow("saying") << u"PDJButton37"_s << u"ADOQuery4"_s << u"derivation"_s << u"孔子"_s
                                << u"敏而好学，不耻下问.(孔子)"_s;
    }
    void controlsCopyTheCurrentRow()
    {
        QFETCH(QString, control);
        QFETCH(QString, dataset);
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        test::RunningProgram program;
        QVERIFY(program.started());
        QVERIFY2(program.select(dataset, column, value), qPrintable(value));
        QGuiApplication::clipboard()->setText(u"before"_s);
        QWidget *widget = program.find<QWidget>(control);
        QVERIFY(widget);
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            button->click();
        } else {
            QTest::mouseClick(widget, Qt::RightButton); // only a left click copies
            QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);
            QTest::mouseClick(widget, Qt::LeftButton);
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QVERIFY(program.messages.shown().isEmpty());
    }

    void explanationOfAnEmptyResult()
    {
        test::RunningProgram program;
        program.empty(u"ADOQuery2"_s, u"name"_s);
        program.find<QAbstractButton>(u"PDJButton33"_s)->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"\u201C\u201D汉字释义\uFF1A\r\n\r\n"_s);
        QVERIFY(program.messages.shown().isEmpty());
    }
};

MC_PROGRAM_TEST_MAIN(TestCopy)
#include "tst_copy.moc"
