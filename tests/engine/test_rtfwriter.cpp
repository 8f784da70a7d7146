#include "rtf/rtf.h"
#include "zelkerror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

// A document as the editors start one: a known default font, so runs without their own
// font have a definite family and size.
void prepare(QTextDocument &doc)
{
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
}

void roundTrip(const QTextDocument &doc, QTextDocument &back)
{
    zelk::rtf::read(zelk::rtf::write(doc), &back);
}

QTextCursor find(const QTextDocument &doc, const QString &text)
{
    const QTextCursor hit = doc.find(text, 0, QTextDocument::FindCaseSensitively);
    if (hit.isNull())
        qFatal("text not in document: %s", qPrintable(text));
    QTextCursor at(hit.block());
    at.setPosition(hit.selectionStart() + 1);
    return at;
}

// Braces must balance, outside escapes, and every byte must be 7-bit.
bool wellFormed(const QByteArray &rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
        if (c == '\\')
            ++i; // the escaped character
        else if (c == '{')
            ++depth;
        else if (c == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void characterFormats_data()
    {
        QTest::addColumn<QTextFormat>("format");
        QTextCharFormat plain;
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat italic;
        italic.setFontItalic(true);
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        QTextCharFormat strike;
        strike.setFontStrikeOut(true);
        QTextCharFormat font;
        font.setFontFamilies({QStringLiteral("DejaVu Serif")});
        font.setFontStyleHint(QFont::Serif);
        font.setFontPointSize(18);
        QTextCharFormat halfPoint;
        halfPoint.setFontPointSize(10.5);
        QTextCharFormat colours;
        colours.setForeground(QColor(200, 10, 30));
        colours.setBackground(QColor(250, 240, 0));
        QTextCharFormat all = font;
        all.merge(bold);
        all.merge(italic);
        all.merge(underline);
        all.merge(strike);
        all.merge(colours);
        QTextCharFormat super;
        super.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        QTest::newRow("plain") << QTextFormat(plain);
        QTest::newRow("bold") << QTextFormat(bold);
        QTest::newRow("italic") << QTextFormat(italic);
        QTest::newRow("underline") << QTextFormat(underline);
        QTest::newRow("strike") << QTextFormat(strike);
        QTest::newRow("font and size") << QTextFormat(font);
        QTest::newRow("half point size") << QTextFormat(halfPoint);
        QTest::newRow("colours") << QTextFormat(colours);
        QTest::newRow("everything") << QTextFormat(all);
        QTest::newRow("superscript") << QTextFormat(super);
    }
    void characterFormats()
    {
        QFETCH(QTextFormat, format);
        const QTextCharFormat wanted = format.toCharFormat();
        QTextDocument doc;
        prepare(doc);
        QTextCursor cursor(&doc);
        cursor.insertText(QStringLiteral("voor "), QTextCharFormat());
        cursor.insertText(QStringLiteral("opgemaakt"), wanted);
        cursor.insertText(QStringLiteral(" na"), QTextCharFormat());

        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(back.toPlainText(), u"voor opgemaakt na"_qs);
        const QFont expected = wanted.font().resolve(doc.defaultFont());
        const QTextCharFormat got = find(back, "opgemaakt").charFormat();
        QCOMPARE(got.fontFamilies().toStringList().value(0), expected.family());
        QCOMPARE(got.fontPointSize(), expected.pointSizeF());
        QCOMPARE(got.font().bold(), expected.bold());
        QCOMPARE(got.fontItalic(), expected.italic());
        QCOMPARE(got.fontUnderline(), expected.underline());
        QCOMPARE(got.fontStrikeOut(), expected.strikeOut());
        QCOMPARE(got.foreground().color(), wanted.foreground().color());
        QCOMPARE(got.hasProperty(QTextFormat::ForegroundBrush), wanted.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(got.background().color(), wanted.background().color());
        QCOMPARE(got.hasProperty(QTextFormat::BackgroundBrush), wanted.hasProperty(QTextFormat::BackgroundBrush));
        QCOMPARE(got.verticalAlignment(), wanted.verticalAlignment());

        const QTextCharFormat after = find(back, " na").charFormat();
        QCOMPARE(after.fontFamilies().toStringList(), QStringList{"DejaVu Sans"});
        QCOMPARE(after.fontPointSize(), 11.0);
        QVERIFY(!after.font().bold());
        QVERIFY(!after.hasProperty(QTextFormat::ForegroundBrush));
    }

    void paragraphFormats_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<double>("indent");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("bottom");
        QTest::newRow("left") << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("centre") << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("right") << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("justify") << int(Qt::AlignJustify) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("indents and spacing") << int(Qt::AlignLeft) << 96.0 << 48.0 << -24.0 << 16.0 << 8.0;
        QTest::newRow("first line in") << int(Qt::AlignJustify) << 0.0 << 0.0 << 32.0 << 0.0 << 12.0;
    }
    void paragraphFormats()
    {
        QFETCH(int, alignment);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(double, indent);
        QFETCH(double, top);
        QFETCH(double, bottom);
        QTextDocument doc;
        prepare(doc);
        QTextCursor cursor(&doc);
        cursor.insertText(QStringLiteral("eerste"));
        QTextBlockFormat format;
        format.setAlignment(Qt::Alignment(alignment));
        format.setLeftMargin(left);
        format.setRightMargin(right);
        format.setTextIndent(indent);
        format.setTopMargin(top);
        format.setBottomMargin(bottom);
        cursor.insertBlock(format);
        cursor.insertText(QStringLiteral("tweede"));
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("derde"));

        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(back.blockCount(), 3);
        const QTextBlockFormat got = back.findBlockByNumber(1).blockFormat();
        QCOMPARE(int(got.alignment()), alignment);
        QCOMPARE(got.leftMargin(), left);
        QCOMPARE(got.rightMargin(), right);
        QCOMPARE(got.textIndent(), indent);
        QCOMPARE(got.topMargin(), top);
        QCOMPARE(got.bottomMargin(), bottom);
        const QTextBlockFormat others = back.findBlockByNumber(2).blockFormat();
        QCOMPARE(others.alignment(), Qt::AlignLeft);
        QCOMPARE(others.leftMargin(), 0.0);
    }

    void escapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("e acute") << u"café"_qs << QByteArray("caf\\'e9");
        QTest::newRow("e diaeresis") << u"ideeën"_qs << QByteArray("idee\\'ebn");
        QTest::newRow("euro") << u"€ 5"_qs << QByteArray("\\'80 5");
        QTest::newRow("greek with fallback") << u"α"_qs << QByteArray("\\u945?");
        QTest::newRow("beyond 0x8000 is negative") << u"한"_qs << QByteArray("\\u-10916?");
        QTest::newRow("surrogate pair") << u"😀"_qs << QByteArray("\\u-10179?\\u-8704?");
        QTest::newRow("braces and backslash") << u"{a}\\b"_qs << QByteArray("\\{a\\}\\\\b");
        QTest::newRow("tab") << u"a\tb"_qs << QByteArray("a\\tab b");
        QTest::newRow("line break") << u"a\u2028b"_qs << QByteArray("a\\line b");
        QTest::newRow("no-break space") << u"a\u00A0b"_qs << QByteArray("a\\~b");
    }
    void escapes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QTextDocument doc;
        prepare(doc);
        QTextCursor(&doc).insertText(text);
        const QByteArray rtf = zelk::rtf::write(doc);
        QVERIFY2(rtf.contains(written), rtf.constData());
        QVERIFY(wellFormed(rtf));
        QTextDocument back;
        zelk::rtf::read(rtf, &back);
        QCOMPARE(back.toRawText().remove(QChar::ParagraphSeparator), text);
    }

    void header()
    {
        QTextDocument doc;
        prepare(doc);
        QTextCursor cursor(&doc);
        QTextCharFormat red;
        red.setForeground(Qt::red);
        QTextCharFormat serif;
        serif.setFontFamilies({QStringLiteral("DejaVu Serif")});
        serif.setFontStyleHint(QFont::Serif);
        cursor.insertText(QStringLiteral("gewoon "));
        cursor.insertText(QStringLiteral("rood "), red);
        cursor.insertText(QStringLiteral("serif "), serif);
        cursor.insertText(QStringLiteral("weer rood"), red);
        const QByteArray rtf = zelk::rtf::write(doc);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 DejaVu Sans;}{\\f1\\froman\\fcharset0 DejaVu Serif;}}"));
        QVERIFY(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;}"));
        QVERIFY(rtf.contains("{\\f0\\fs22\\cf1 rood }"));
        QVERIFY(wellFormed(rtf));
    }

    // Empty paragraphs, also at the end, survive; the final paragraph mark adds none.
    void paragraphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty document") << QString();
        QTest::newRow("one line") << u"regel"_qs;
        QTest::newRow("empty lines between") << u"a\n\n\nb"_qs;
        QTest::newRow("empty line at the end") << u"a\n"_qs;
        QTest::newRow("only empty lines") << u"\n\n"_qs;
    }
    void paragraphs()
    {
        QFETCH(QString, text);
        QTextDocument doc;
        prepare(doc);
        doc.setPlainText(text);
        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(back.toPlainText(), text);
        QCOMPARE(back.blockCount(), doc.blockCount());
    }

    void emptyLineKeepsItsSize()
    {
        QTextDocument doc;
        prepare(doc);
        QTextCursor cursor(&doc);
        QTextCharFormat big;
        big.setFontPointSize(24);
        cursor.insertText(QStringLiteral("kop"), big);
        cursor.insertBlock(QTextBlockFormat(), big);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(QStringLiteral("tekst"));
        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(back.findBlockByNumber(1).charFormat().fontPointSize(), 24.0);
    }

    void listItemsKeepTheirMark()
    {
        QTextDocument doc;
        prepare(doc);
        QTextCursor cursor(&doc);
        cursor.insertText(QStringLiteral("Boodschappen"));
        cursor.insertBlock();
        cursor.createList(QTextListFormat::ListDisc);
        cursor.insertText(QStringLiteral("appels"));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("peren"));
        cursor.insertBlock();
        cursor.createList(QTextListFormat::ListDecimal);
        cursor.insertText(QStringLiteral("eerst"));
        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(zelk::rtf::plainTextLines(back), (QStringList{"Boodschappen", "•\tappels", "•\tperen", "1.\teerst"}));
        QVERIFY(back.findBlockByNumber(1).blockFormat().leftMargin() > 0);
    }

    // A document made from HTML, as the shipped manual is converted.
    void fromHtml()
    {
        QTextDocument doc;
        prepare(doc);
        doc.setHtml(QStringLiteral("<p align=center><b>Kop</b></p>"
                                   "<p>Gewone <i>tekst</i> en <span style='color:#00a000'>groen</span>.</p>"));
        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(zelk::rtf::plainTextLines(back), (QStringList{"Kop", "Gewone tekst en groen."}));
        QCOMPARE(find(back, "Kop").blockFormat().alignment(), Qt::AlignHCenter);
        QVERIFY(find(back, "Kop").charFormat().font().bold());
        QVERIFY(find(back, "tekst").charFormat().fontItalic());
        QCOMPARE(find(back, "groen").charFormat().foreground().color(), QColor(0, 0xa0, 0));
    }

    // Headings and <font size> scale the default size instead of setting one; the RTF
    // gets the size the text is shown in, to the half point.
    void htmlSizesBecomePointSizes_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<double>("shown");
        QTest::addColumn<double>("written");
        QTest::newRow("h1") << "<h1>Kop</h1>" << 22.0 << 22.0;
        QTest::newRow("h2") << "<h2>Kop</h2>" << 16.5 << 16.5;
        QTest::newRow("font size +1") << "<p><font size=+1>Kop</font></p>" << 13.2 << 13.0;
        QTest::newRow("small") << "<p><small>Kop</small></p>" << 8.8 << 9.0;
    }
    void htmlSizesBecomePointSizes()
    {
        QFETCH(QString, html);
        QFETCH(double, shown);
        QFETCH(double, written);
        QTextDocument doc;
        prepare(doc);
        doc.setHtml(html);
        QCOMPARE(find(doc, "Kop").charFormat().font().pointSizeF(), shown);
        QTextDocument back;
        roundTrip(doc, back);
        QCOMPARE(find(back, "Kop").charFormat().fontPointSize(), written);
    }

    void writeFileReplacesAndReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("brief.rtf");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(10000, 'x'));
        old.close();

        QTextDocument doc;
        prepare(doc);
        doc.setPlainText(u"Beste <naam>,\n\nMet groet"_qs);
        zelk::rtf::writeFile(doc, path);
        QTextDocument back;
        zelk::rtf::readFile(path, &back);
        QCOMPARE(back.toPlainText(), doc.toPlainText());
    }

    void writeFileFailure()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("bestaat-niet/brief.rtf");
        QTextDocument doc;
        try {
            zelk::rtf::writeFile(doc, path);
            QFAIL("no error for a folder that does not exist");
        } catch (const zelk::Error &e) {
            QVERIFY2(e.message().startsWith(u"Het bestand %1 kan niet worden opgeslagen: de map"_qs.arg(path)), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestRtfWriter)
#include "test_rtfwriter.moc"
