#include "rtfwords.h"

#include <string_view>
#include <unordered_map>

namespace zelk::rtf {

namespace {

using Table = std::unordered_map<std::string_view, Word>;

void addSkipped(Table &table)
{
    static constexpr std::string_view skipped[] = {
        "info", "stylesheet", "listtable", "listoverridetable", "revtbl", "rsidtbl",
        "filetbl", "generator", "xmlnstbl", "themedata", "colorschememapping",
        "latentstyles", "datastore", "pgdsctbl", "userprops", "docvar", "template",
        "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf",
        "footnote", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn",
        "annotation", "atnid", "atnauthor", "atndate", "atnref", "atntime", "atnicn",
        "atrfstart", "atrfend", "pict", "shppict", "nonshppict", "shp", "shpinst",
        "shptxt", "shprslt", "sp", "sn", "sv", "object", "objdata", "objclass", "objname",
        "result", "do", "background", "fldinst", "bkmkstart", "bkmkend", "xe", "tc", "tcn",
        "txe", "rxe", "pn", "falt", "panose", "upr", "ud", "fchars", "lchars",
        "passwordhash", "protstart", "protend", "wgrffmtfilter", "mmathPr", "private",
        "listpicture", "blipuid", "picprop", "formfield", "datafield", "fldtype",
        "author", "operator", "title", "subject", "keywords", "comment", "doccomm",
        "company", "manager", "category", "hlinkbase", "creatim", "revtim", "printim",
        "buptim", "factoidname", "oldcprops", "oldpprops", "oldsprops",
        "oldtprops", "pgptbl", "protusertbl", "mhtmltag", "htmltag",
    };
    for (const std::string_view name : skipped)
        table.emplace(name, Word::Skipped);
}

Table makeTable()
{
    Table table{
        {"fonttbl", Word::FontTable}, {"colortbl", Word::ColorTable},
        {"field", Word::Field}, {"fldrslt", Word::FieldResult},
        {"listtext", Word::ListText}, {"pntext", Word::NumberText},
        {"deff", Word::DefaultFont}, {"bin", Word::Bin}, {"u", Word::Unicode},
        {"uc", Word::UnicodeSkip}, {"f", Word::Font},
        {"froman", Word::FamilyRoman}, {"fswiss", Word::FamilySwiss},
        {"fmodern", Word::FamilyModern}, {"fscript", Word::FamilyScript},
        {"fdecor", Word::FamilyDecor},
        {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue},
        {"plain", Word::Plain}, {"b", Word::Bold}, {"i", Word::Italic},
        {"ulnone", Word::UnderlineNone}, {"strike", Word::Strike}, {"striked", Word::Strike},
        {"v", Word::Hidden}, {"fs", Word::FontSize},
        {"cf", Word::Foreground}, {"cb", Word::Background}, {"highlight", Word::Background},
        {"chcbpat", Word::Background},
        {"super", Word::Super}, {"sub", Word::Sub}, {"nosupersub", Word::NoSuperSub},
        {"pard", Word::ParagraphDefault}, {"ql", Word::AlignLeft}, {"qc", Word::AlignCenter},
        {"qr", Word::AlignRight}, {"qj", Word::AlignJustify}, {"qd", Word::AlignJustify},
        {"li", Word::LeftIndent}, {"lin", Word::LeftIndent}, {"ri", Word::RightIndent},
        {"rin", Word::RightIndent}, {"fi", Word::FirstIndent},
        {"sb", Word::SpaceBefore}, {"sa", Word::SpaceAfter},
        {"par", Word::Paragraph}, {"sect", Word::Paragraph}, {"page", Word::Paragraph},
        {"row", Word::Paragraph}, {"tab", Word::Tab}, {"cell", Word::Tab},
        {"nestcell", Word::Tab}, {"line", Word::Line},
        {"emdash", Word::EmDash}, {"endash", Word::EnDash},
        {"lquote", Word::LeftQuote}, {"rquote", Word::RightQuote},
        {"ldblquote", Word::LeftDoubleQuote}, {"rdblquote", Word::RightDoubleQuote},
        {"bullet", Word::Bullet}, {"emspace", Word::EmSpace}, {"enspace", Word::EnSpace},
        {"qmspace", Word::QuarterEmSpace},
    };
    // Every underline style counts as underlined.
    static constexpr std::string_view underlines[] = {
        "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
        "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
        "ulwave",
    };
    for (const std::string_view name : underlines)
        table.emplace(name, Word::Underline);
    addSkipped(table);
    return table;
}

} // namespace

Word word(QByteArrayView name)
{
    static const Table table = makeTable();
    const auto it = table.find(std::string_view(name.data(), size_t(name.size())));
    return it == table.end() ? Word::Unknown : it->second;
}

} // namespace zelk::rtf
