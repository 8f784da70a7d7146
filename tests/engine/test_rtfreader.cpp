#include "rtf/rtf.h"
#include "zelkerror.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString readText(const QByteArray &bytes)
{
    QTextDocument doc;
    zelk::rtf::read(bytes, &doc);
    return doc.toPlainText();
}

QString dataFile(const QString &name)
{
    return QDir(qEnvironmentVariable("ZELK_TESTDATA")).filePath(QStringLiteral("rtf/") + name);
}

// The character format and block of the first occurrence of text (which must be there).
struct Found {
    QTextCharFormat chars;
    QTextBlockFormat block;
};

Found formatOf(const QTextDocument &doc, const QString &text)
{
    const QTextCursor hit = doc.find(text, 0, QTextDocument::FindCaseSensitively);
    if (hit.isNull())
        qFatal("text not in document: %s", qPrintable(text));
    QTextCursor at(hit.block());
    at.setPosition(hit.selectionStart() + 1);
    return Found{at.charFormat(), hit.block().blockFormat()};
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        // Escapes of Windows-1252 and Unicode.
        QTest::newRow("hex e acute") << QByteArray(R"({\rtf1\ansi\ansicpg1252 caf\'e9})") << u"café"_qs;
        QTest::newRow("hex e diaeresis") << QByteArray(R"({\rtf1\ansi Idee\'ebn})") << u"Ideeën"_qs;
        QTest::newRow("hex euro is cp1252") << QByteArray(R"({\rtf1\ansi \'80 25})") << u"€ 25"_qs;
        QTest::newRow("unicode skips fallback") << QByteArray(R"({\rtf1 \u8364?25})") << u"€25"_qs;
        QTest::newRow("unicode negative") << QByteArray(R"({\rtf1 \u-4064?})") << QString(QChar(0xF020));
        QTest::newRow("uc2 skips two") << QByteArray(R"({\rtf1\uc2 \u945 ab!})") << u"α!"_qs;
        QTest::newRow("uc0 skips none") << QByteArray(R"({\rtf1\uc0 \u945 a})") << u"αa"_qs;
        QTest::newRow("fallback as hex") << QByteArray(R"({\rtf1 \u233\'e9 x})") << u"é x"_qs;
        QTest::newRow("fallback stops at group") << QByteArray(R"({\rtf1\uc3 \u945{b}c})") << u"αbc"_qs;
        QTest::newRow("uc is group local") << QByteArray(R"({\rtf1{\uc0 \u945}\u946 ?x})") << u"αβx"_qs;
        QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1 \u-10179?\u-8704?})") << u"😀"_qs;
        QTest::newRow("lone surrogate") << QByteArray(R"({\rtf1 \u-10179?x})") << u"\uFFFDx"_qs;
        QTest::newRow("escaped braces") << QByteArray(R"({\rtf1 a\{b\}c\\d})") << u"a{b}c\\d"_qs;
        QTest::newRow("special characters") << QByteArray(
            R"({\rtf1 \lquote a\rquote  \ldblquote b\rdblquote  c\emdash d\endash e\bullet\~f})")
                                            << u"‘a’ “b” c—d–e• f"_qs; // a no-break space reads as a blank
        // Structure.
        QTest::newRow("nested groups") << QByteArray(R"({\rtf1 a{b{c{d}e}f}g})") << u"abcdefg"_qs;
        QTest::newRow("line ends ignored") << QByteArray("{\\rtf1 een\r\ntwee\n}") << u"eentwee"_qs;
        QTest::newRow("par tab line") << QByteArray(R"({\rtf1 a\tab b\par c\line d})") << u"a\tb\nc\nd"_qs;
        QTest::newRow("last par leaves no empty line") << QByteArray(R"({\rtf1 a\par b\par})") << u"a\nb"_qs;
        QTest::newRow("empty paragraphs kept") << QByteArray(R"({\rtf1 a\par\par b})") << u"a\n\nb"_qs;
        QTest::newRow("backslash newline is par") << QByteArray("{\\rtf1 a\\\nb}") << u"a\nb"_qs;
        QTest::newRow("unknown words ignored") << QByteArray(R"({\rtf1\zelkwoord12 a\qqq-3 b})") << u"ab"_qs;
        QTest::newRow("text after document ignored") << QByteArray(R"({\rtf1 a}b)") << u"a"_qs;
        // Destinations.
        QTest::newRow("ignorable destination") << QByteArray(R"({\rtf1 a{\*\zelkgeheim {nested} b}c})") << u"ac"_qs;
        QTest::newRow("info stylesheet header footer")
            << QByteArray(R"({\rtf1{\info{\title T}{\author A}}{\stylesheet{\s0 Normal;}}{\header kop}{\footer voet}tekst})")
            << u"tekst"_qs;
        QTest::newRow("footnote and annotation") << QByteArray(R"({\rtf1 a{\footnote noot}b{\annotation c}d})") << u"abd"_qs;
        QTest::newRow("picture skipped") << QByteArray(R"({\rtf1 voor{\pict\pngblip\picw10 89504e470d0a}na})") << u"voorna"_qs;
        QTest::newRow("object skipped") << QByteArray(R"({\rtf1 a{\object\objemb{\*\objdata 0102}{\result zichtbaar}}b})") << u"ab"_qs;
        QTest::newRow("bin skipped by length") << QByteArray("{\\rtf1 a{\\pict\\bin6 }{}\\{x}b}") << u"ab"_qs;
        QTest::newRow("bin in text skipped") << QByteArray("{\\rtf1 a\\bin3 }}}b}") << u"ab"_qs;
        QTest::newRow("field shows its result")
            << QByteArray(R"({\rtf1 zie {\field{\*\fldinst HYPERLINK "x"}{\fldrslt site}} nu})") << u"zie site nu"_qs;
        QTest::newRow("field instruction without star") << QByteArray(R"({\rtf1 {\field{\fldinst PAGE}{\fldrslt 3}}})") << u"3"_qs;
        QTest::newRow("hidden text dropped") << QByteArray(R"({\rtf1 a{\v verborgen}b\v c\v0 d})") << u"abd"_qs;
        QTest::newRow("list text kept") << QByteArray(R"({\rtf1{\listtext 1.\tab}een{\*\pn\pnlvlblt{\pntxtb x}}})") << u"1.\teen"_qs;
        QTest::newRow("font table text not shown")
            << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}x})") << u"x"_qs;
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(readText(rtf), text);
    }

    void characterFormats()
    {
        QTextDocument doc;
        zelk::rtf::read(QByteArray(R"({\rtf1\ansi\deff1)"
                                   R"({\fonttbl{\f0\froman{\*\panose 02020603}Times New Roman;}{\f1\fswiss Arial;})"
                                   R"({\f2\fmodern\fcharset0 Courier New{\*\falt Courier};}})"
                                   R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                                   R"(standaard {\b vet} {\i schuin} {\ul onder\ulnone geen} {\strike door})"
                                   R"( {\f0\fs36 groot} {\f2 mono} {\cf1 rood} {\highlight2 blauw} {\cb1 achter})"
                                   R"( {\b\i\fs20\cf2 alles\plain gewoon} {\b uit\b0 aan}{\super boven})"),
                        &doc);
        QCOMPARE(formatOf(doc, "standaard").chars.fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatOf(doc, "standaard").chars.fontPointSize(), 12.0);
        QVERIFY(!formatOf(doc, "standaard").chars.font().bold());
        QVERIFY(formatOf(doc, "vet").chars.font().bold());
        QVERIFY(formatOf(doc, "schuin").chars.fontItalic());
        QVERIFY(formatOf(doc, "onder").chars.fontUnderline());
        QVERIFY(!formatOf(doc, "geen").chars.fontUnderline());
        QVERIFY(formatOf(doc, "door").chars.fontStrikeOut());
        QCOMPARE(formatOf(doc, "groot").chars.fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QCOMPARE(formatOf(doc, "groot").chars.fontStyleHint(), QFont::Serif);
        QCOMPARE(formatOf(doc, "groot").chars.fontPointSize(), 18.0);
        QCOMPARE(formatOf(doc, "mono").chars.fontFamilies().toStringList(), QStringList{"Courier New"});
        QCOMPARE(formatOf(doc, "rood").chars.foreground().color(), QColor(255, 0, 0));
        QVERIFY(!formatOf(doc, "standaard").chars.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(formatOf(doc, "blauw").chars.background().color(), QColor(0, 0, 255));
        QCOMPARE(formatOf(doc, "achter").chars.background().color(), QColor(255, 0, 0));
        QVERIFY(formatOf(doc, "alles").chars.font().bold());
        QCOMPARE(formatOf(doc, "alles").chars.fontPointSize(), 10.0);
        QVERIFY(!formatOf(doc, "gewoon").chars.font().bold());
        QVERIFY(!formatOf(doc, "gewoon").chars.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(formatOf(doc, "gewoon").chars.fontPointSize(), 12.0);
        QVERIFY(formatOf(doc, "uit").chars.font().bold());
        QVERIFY(!formatOf(doc, "aan").chars.font().bold());
        QCOMPARE(formatOf(doc, "boven").chars.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    }

    void paragraphFormats()
    {
        QTextDocument doc;
        zelk::rtf::read(QByteArray(R"({\rtf1 \qc midden\par\pard\qr rechts\par\pard\qj uitgevuld\par)"
                                   R"(\pard\li1440\ri720\fi-360\sb240\sa120 ingesprongen\par)"
                                   R"({\pard\qc binnen\par}\pard links})"),
                        &doc);
        QCOMPARE(formatOf(doc, "midden").block.alignment(), Qt::AlignHCenter);
        QCOMPARE(formatOf(doc, "rechts").block.alignment(), Qt::AlignRight);
        QCOMPARE(formatOf(doc, "uitgevuld").block.alignment(), Qt::AlignJustify);
        const QTextBlockFormat indented = formatOf(doc, "ingesprongen").block;
        QCOMPARE(indented.leftMargin(), 96.0); // 1440 twips = 1 inch = 96 px
        QCOMPARE(indented.rightMargin(), 48.0);
        QCOMPARE(indented.textIndent(), -24.0);
        QCOMPARE(indented.topMargin(), 16.0);
        QCOMPARE(indented.bottomMargin(), 8.0);
        QCOMPARE(formatOf(doc, "binnen").block.alignment(), Qt::AlignHCenter);
        QCOMPARE(formatOf(doc, "links").block.alignment(), Qt::AlignLeft);
        QCOMPARE(formatOf(doc, "links").block.leftMargin(), 0.0);
    }

    // A list item written as mark, tab and text with a hanging indent: the text after
    // the tab lines up with the item's next lines.
    void hangingIndentAlignsTheText()
    {
        QTextDocument doc;
        zelk::rtf::read(QByteArray(R"({\rtf1\li720\fi-360 \bullet\tab Een lijstregel die lang genoeg is om over )"
                                   R"(meer dan een regel te lopen, met nog wat woorden erbij}))"),
                        &doc);
        doc.setTextWidth(300);
        QVERIFY(doc.size().height() > 0); // lays the text out
        const QTextLayout *layout = doc.begin().layout();
        QVERIFY(layout->lineCount() > 1);
        const int text = int(doc.begin().text().indexOf(u"Een"_qs));
        QCOMPARE(layout->lineAt(0).cursorToX(text), layout->lineAt(1).x());
    }

    // Whatever the input, reading ends and keeps the readable text.
    void hostile_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("contains");
        const int many = 1'000'000;
        QTest::newRow("deep nesting closed") << "{\\rtf1 " + QByteArray(many, '{') + "diep" + QByteArray(many, '}') + "}" << u"diep"_qs;
        QTest::newRow("deep nesting never closed") << "{\\rtf1 begin" + QByteArray(many, '{') + "diep" << u"begindiep"_qs;
        QTest::newRow("deep skipped destination") << "{\\rtf1 a{\\*\\x" + QByteArray(many, '{') + QByteArray(many, '}') + "}b}" << u"ab"_qs;
        QTest::newRow("many closing braces") << "{\\rtf1 a}" + QByteArray(many, '}') << u"a"_qs;
        QTest::newRow("huge numbers") << QByteArray(
            "{\\rtf1\\fs99999999999999999999999\\li-99999999999999999 \\u99999999999999 ?groot\\f2147483648 x}")
                                      << u"groot"_qs;
        QTest::newRow("huge unicode skip is capped")
            << QByteArray("{\\rtf1\\uc99999999999 \\u945 abcdefghijklmnopqrstuvwxyz}") << u"qrstuvwxyz"_qs;
        QTest::newRow("huge bin") << QByteArray("{\\rtf1 voor\\bin999999999999999 na}") << u"voor"_qs;
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 voor\\bin-5 na}") << u"voorna"_qs;
        QTest::newRow("overlong control word") << "{\\rtf1 a\\" + QByteArray(many, 'q') + " b}" << u"ab"_qs;
        QTest::newRow("overlong number") << "{\\rtf1 a\\fs" + QByteArray(many, '9') + " b}" << u"ab"_qs;
        QTest::newRow("truncated escape") << QByteArray("{\\rtf1 abc\\'e") << u"abc"_qs;
        QTest::newRow("truncated word") << QByteArray("{\\rtf1 abc\\") << u"abc"_qs;
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << u"azzb"_qs;
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << u"ab"_qs;
        QTest::newRow("many unicode escapes") << "{\\rtf1 " + QByteArray("\\u945?").repeated(100'000) + "}"
                                              << QString(100'000, QChar(0x3B1));
        QTest::newRow("many paragraphs") << "{\\rtf1 " + QByteArray("x\\par ").repeated(100'000) + "}" << u"x\nx"_qs;
        QTest::newRow("huge font table") << "{\\rtf1{\\fonttbl" + QByteArray("{\\f1 F;}").repeated(100'000) + "}klaar}" << u"klaar"_qs;
        QTest::newRow("bin inside fallback") << QByteArray("{\\rtf1 \\u945\\bin2 }}b}") << u"αb"_qs;
    }
    void hostile()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, contains);
        QVERIFY(readText(rtf).contains(contains));
    }

    // Every prefix of a real file and random bytes read without harm.
    void truncatedAndRandom()
    {
        QFile file(dataFile("libreoffice-brief.rtf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        for (qsizetype length = 0; length <= whole.size(); length += 7) {
            QTextDocument doc;
            zelk::rtf::read(whole.left(length), &doc);
        }
        QVERIFY(readText(whole.left(whole.indexOf("Schuin") + 6)).endsWith(u"Schuin"_qs));

        QRandomGenerator random(20240601);
        const QByteArray alphabet = "{}\\'*;0123456789-abfiuqlrcsp \r\n\xe9\x80";
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes = "{\\rtf1 ";
            for (int i = 0; i < 2000; ++i)
                bytes += alphabet.at(random.bounded(int(alphabet.size())));
            readText(bytes);
        }
    }

    void plainTextFallback_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf8") << QByteArray("Café € ë\nTweede regel") << u"Café € ë\nTweede regel"_qs;
        QTest::newRow("windows-1252") << QByteArray("Caf\xe9 \x80 \xeb") << u"Café € ë"_qs;
        QTest::newRow("crlf") << QByteArray("een\r\ntwee\rdrie") << u"een\ntwee\ndrie"_qs;
        QTest::newRow("utf8 bom") << QByteArray("\xef\xbb\xbfhallo") << u"hallo"_qs;
        QTest::newRow("braces are text") << QByteArray("{\\rt nee}") << u"{\\rt nee}"_qs;
        QTest::newRow("rtf after blank lines") << QByteArray("\r\n {\\rtf1 ja}") << u"ja"_qs;
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("control characters dropped") << QByteArray("a\x1a\0b\tc", 6) << u"ab\tc"_qs;
    }
    void plainTextFallback()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(readText(bytes), text);
    }

    void readReplacesAndResets()
    {
        QTextDocument doc;
        QTextCursor(&doc).insertText("oude tekst");
        QVERIFY(doc.isModified());
        zelk::rtf::read(QByteArray("{\\rtf1 nieuw}"), &doc);
        QCOMPARE(doc.toPlainText(), u"nieuw"_qs);
        QVERIFY(!doc.isModified());
        QVERIFY(!doc.isUndoAvailable());
        QVERIFY(doc.isUndoRedoEnabled());
    }

    void missingFileThrows()
    {
        QTemporaryDir dir;
        QTextDocument doc;
        doc.setPlainText("blijft staan");
        const QString path = dir.filePath("bestaat-niet.rtf");
        try {
            zelk::rtf::readFile(path, &doc);
            QFAIL("no error for a missing file");
        } catch (const zelk::Error &e) {
            QCOMPARE(e.message(), u"Het bestand \"%1\" kan niet worden gelezen."_qs.arg(path));
        }
        QCOMPARE(doc.toPlainText(), u"blijft staan"_qs);
    }

    void plainTextLines_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty document") << QByteArray("{\\rtf1 }") << QStringList{};
        QTest::newRow("formatting dropped, tabs kept")
            << QByteArray(R"({\rtf1 {\b Beste} <naam>,\par\tab bedrag\line regel\par\par groet})")
            << QStringList{"Beste <naam>,", "\tbedrag", "regel", "", "groet"};
        QTest::newRow("picture dropped") << QByteArray(R"({\rtf1 a{\pict 00}b})") << QStringList{"ab"};
    }
    void plainTextLines()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, lines);
        QTextDocument doc;
        zelk::rtf::read(rtf, &doc);
        QCOMPARE(zelk::rtf::plainTextLines(doc), lines);
    }

    // Files written by LibreOffice, pandoc and latex2rtf.
    void otherPrograms_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("libreoffice") << "libreoffice-brief.rtf"
                                     << QStringList{
                                            "Contributie 2024",
                                            "Beste leden, de contributie voor het café bedraagt € 25,00. Schuin, onderstreept en rood.",
                                            "Rechts uitgelijnd", "Ideeën van de penningmeester", "Griekse letter: α en een trema: ë."};
        QTest::newRow("libreoffice picture and link")
            << "libreoffice-logo.rtf"
            << QStringList{"Voor het logo.  Na het logo.", "Tweede alinea met voetnoot-achtige tekst en een koppeling."};
        QTest::newRow("pandoc") << "pandoc-verslag.rtf"
                                << QStringList{"Verslag van de penningmeester",
                                               "",
                                               "Jaarverslag 2024",
                                               "De vereniging heeft een positief saldo van € 1.234,50. De kascommissie keurde het "
                                               "verslag goed. Ideeën voor het café zijn welkom.",
                                               "•\tContributie: € 25,00",
                                               "•\tDonaties: € 100,00",
                                               "Met vriendelijke groet,",
                                               "de penningmeester"};
        QTest::newRow("latex2rtf") << "latex2rtf-notulen.rtf"
                                   << QStringList{"1  Notulen ledenvergadering",
                                                  "De voorzitter opent de vergadering. De kascommissie heeft de boeken gecontroleerd "
                                                  "en geen fouten gevonden. Het café en de coördinatie van de ideëen worden besproken.",
                                                  "Rondvraag ",
                                                  "Er is niets meer aan de orde; de vergadering wordt gesloten om 22.00 uur. "};
    }
    void otherPrograms()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        QTextDocument doc;
        zelk::rtf::readFile(dataFile(file), &doc);
        QCOMPARE(zelk::rtf::plainTextLines(doc), lines);
    }

    void otherProgramsFormatting()
    {
        QTextDocument office;
        zelk::rtf::readFile(dataFile("libreoffice-brief.rtf"), &office);
        QCOMPARE(formatOf(office, "Contributie").block.alignment(), Qt::AlignHCenter);
        QVERIFY(formatOf(office, "Contributie").chars.font().bold());
        QCOMPARE(formatOf(office, "Contributie").chars.fontPointSize(), 16.0);
        QCOMPARE(formatOf(office, "Contributie").chars.fontFamilies().toStringList(), QStringList{"DejaVu Serif"});
        QVERIFY(formatOf(office, "Schuin").chars.fontItalic());
        QVERIFY(formatOf(office, "onderstreept").chars.fontUnderline());
        QCOMPARE(formatOf(office, "rood").chars.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatOf(office, "Rechts").block.alignment(), Qt::AlignRight);
        QCOMPARE(formatOf(office, "Ideeën").chars.fontFamilies().toStringList(), QStringList{"DejaVu Sans Mono"});
        QCOMPARE(formatOf(office, "Ideeën").chars.fontPointSize(), 14.0);

        QTextDocument pandoc;
        zelk::rtf::readFile(dataFile("pandoc-verslag.rtf"), &pandoc);
        QCOMPARE(formatOf(pandoc, "Verslag").block.alignment(), Qt::AlignHCenter);
        QCOMPARE(formatOf(pandoc, "Verslag").chars.fontPointSize(), 18.0);
        QVERIFY(formatOf(pandoc, "positief saldo").chars.font().bold());
        QVERIFY(!formatOf(pandoc, "vereniging").chars.font().bold());
        QVERIFY(formatOf(pandoc, "kascommissie").chars.fontItalic());
        QCOMPARE(formatOf(pandoc, "Donaties").block.leftMargin(), 24.0);

        QTextDocument latex;
        zelk::rtf::readFile(dataFile("latex2rtf-notulen.rtf"), &latex);
        QVERIFY(formatOf(latex, "kascommissie").chars.font().bold());
        QVERIFY(formatOf(latex, "geen").chars.fontItalic());
        QCOMPARE(formatOf(latex, "Rondvraag").block.alignment(), Qt::AlignHCenter);
        QCOMPARE(formatOf(latex, "voorzitter").block.alignment(), Qt::AlignJustify);
        QCOMPARE(formatOf(latex, "voorzitter").chars.fontPointSize(), 10.0);
    }
};

QTEST_MAIN(TestRtfReader)
#include "test_rtfreader.moc"
