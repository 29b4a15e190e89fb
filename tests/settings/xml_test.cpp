// SPDX-License-Identifier: MIT
#include "core/orvaneerror.h"
#include "settings/xmlparser.h"
#include "support/filefaults.h"
#include "support/scratchdir.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n";

TqomXMLNode2 *addChild(TqomXMLNode2 &parent, const std::string &name, const std::string &text = {})
{
    auto *child = parent.AddNode(std::make_unique<TqomXMLNode2>());
    child->SetName(name);
    child->SetText(text);
    return child;
}

// What the reader made of a text, written back: a compact picture of the whole tree.
std::string reread(const std::string &text)
{
    TqomXMLParser2 document;
    document.LoadFromText(text);
    EXPECT_EQ(document.LastError(), "") << text;
    return document.AsXml().substr(kDeclaration.size());
}

TEST(XmlWriter, WritesTheExactBytes)
{
    TqomXMLParser2 document;
    document.SetName("Orvane");
    EXPECT_EQ(document.AsXml(), kDeclaration + "<Orvane/>");
    EXPECT_EQ(document.AsXml().size(), 55u);

    addChild(document, "Temp", "50");
    addChild(document, "EmailAddr");
    addChild(document, "Path", "a<b");
    addChild(document, "Amp", "a&b");
    auto *nested = addChild(document, "Outer", "x>y");
    addChild(*nested, "Inner", "1")->AddAttribute("q", "<>&'\"");
    addChild(*addChild(*nested, "Plain", "t"), "Leaf");
    EXPECT_EQ(document.AsXml(),
              kDeclaration
                  + "<Orvane>\r\n"
                    "  <Temp>50</Temp>\r\n"
                    "  <EmailAddr/>\r\n"
                    "  <Path><![CDATA[a<b]]></Path>\r\n"
                    "  <Amp>a&b</Amp>\r\n"
                    "  <Outer><![CDATA[x>y]]>\r\n"
                    "    <Inner q=\"&amp;lt;&amp;gt;&amp;&apos;&quot;\">1</Inner>\r\n"
                    "    <Plain>t\r\n"
                    "      <Leaf/>\r\n"
                    "    </Plain>\r\n"
                    "  </Outer>\r\n"
                    "</Orvane>");
}

TEST(XmlWriter, KeepsTheDeclarationOfALoadedText)
{
    TqomXMLParser2 document;
    document.LoadFromText("<?xml version='1.1' encoding=\"UTF-8\"?><a/>");
    EXPECT_EQ(document.AsXml(), "<?xml version=\"1.1\" encoding=\"UTF-8\" ?>\r\n<a/>");
}

TEST(XmlWriter, OutputBufferGrowsByTheLargerOfAStepAndThePiece)
{
    TqomXMLParser2 document;
    document.SetName("r");
    (void)document.AsXml();
    EXPECT_EQ(document.OutputCapacity(), 65536u);
    addChild(document, "a", std::string(40000, 'x'));
    addChild(document, "b", std::string(40000, 'y'));
    EXPECT_EQ(document.AsXml().size(), kDeclaration.size() + 80000 + 31);
    EXPECT_EQ(document.OutputCapacity(), 2 * 65536u);
    addChild(document, "c", std::string(100000, 'z'));
    (void)document.AsXml();
    EXPECT_EQ(document.OutputCapacity(), 2 * 65536u + 100000);
}

TEST(XmlReader, ReadsWhatTheWriterWritesAndALittleMore)
{
    const struct
    {
        std::string text, tree;
    } cases[] = {
        {"<Temp/>", "<Temp/>"},
        {"<Temp />", "<Temp/>"},
        {"<Temp></Temp>", "<Temp/>"},
        {"<r><Temp></Temp></r>", "<r>\r\n  <Temp/>\r\n</r>"},
        {"<a>  x  </a>", "<a>x</a>"},
        {"<a>\t\x01 x\r\n</a>", "<a>x</a>"},
        {"<a>caf\xE9 \xA0</a>", "<a>caf\xE9 \xA0</a>"}, // Windows-1252 letters are not white space
        {"<a><![CDATA[ a<b ]]></a>", "<a><![CDATA[a<b]]></a>"},
        {"<a>a&amp;b</a>", "<a>a&amp;b</a>"},
        {"<!-- note --><a>x</a>", "<a>x</a>"},
        {"<a><!-- note --><b/></a>", "<a>\r\n  <b/>\r\n</a>"},
        {"<a>t<b/>skipped<c>1</c>also</a>trailing <junk", "<a>t\r\n  <b/>\r\n  <c>1</c>\r\n</a>"},
        {"<a x =\"1\"  y='&lt;&amp;lt;&quot;'/>", "<a x=\"1\" y=\"&amp;lt;&amp;lt;&quot;\"/>"},
        {"</a>", "</>"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(reread(c.text), c.tree) << c.text;
    }
}

// "]]>" cannot stand inside one CDATA section: the writer splits the text into consecutive
// sections and the reader joins them again, so every text comes back as it was written.
TEST(XmlCData, TextsHoldingTheSectionEndComeBackUnchanged)
{
    const struct
    {
        std::string text, written;
    } cases[] = {
        {"a]]>b", "<![CDATA[a]]]]><![CDATA[>b]]>"},
        {"]]>", "<![CDATA[]]]]><![CDATA[>]]>"},
        {"x]]><y]]>]]>", "<![CDATA[x]]]]><![CDATA[><y]]]]><![CDATA[>]]]]><![CDATA[>]]>"},
        {"a>b", "<![CDATA[a>b]]>"},
    };
    for (const auto &c : cases) {
        TqomXMLParser2 document;
        document.SetName("r");
        addChild(document, "EmailAddr", c.text);
        addChild(document, "PlaySound", "-1");
        const std::string xml = document.AsXml();
        EXPECT_NE(xml.find("<EmailAddr>" + c.written + "</EmailAddr>"), std::string::npos) << xml;

        TqomXMLParser2 reread;
        reread.LoadFromText(xml);
        EXPECT_EQ(reread.LastError(), "") << xml;
        ASSERT_NE(reread.FindNode("EmailAddr", false), nullptr);
        EXPECT_EQ(reread.FindNode("EmailAddr", false)->Text(), c.text);
        ASSERT_NE(reread.FindNode("PlaySound", false), nullptr) << xml;
        EXPECT_EQ(reread.FindNode("PlaySound", false)->Text(), "-1");
    }
}

TEST(XmlCData, ConsecutiveSectionsAreOneTextTrimmedAsAWhole)
{
    const struct
    {
        std::string text, value;
    } cases[] = {
        {"<a>a]]>b</a>", "a]]>b"}, // typed by hand, outside any section
        {"<a><![CDATA[ a ]]><![CDATA[ b ]]></a>", "a  b"},
    };
    for (const auto &c : cases) {
        TqomXMLParser2 document;
        document.LoadFromText(c.text);
        EXPECT_EQ(document.LastError(), "") << c.text;
        ASSERT_EQ(document.Name(), "a");
        EXPECT_EQ(document.Text(), c.value) << c.text;
    }
}

TEST(XmlReader, TheRootTagNamesTheDocument)
{
    TqomXMLParser2 document;
    document.SetName("Orvane");
    document.LoadFromText("<Other><Temp>50</Temp><x:y/></Other>");
    EXPECT_EQ(document.Name(), "Other");
    ASSERT_NE(document.FindNode("Temp", false), nullptr);
    EXPECT_EQ(document.FindNode("Temp", false)->Text(), "50");
    EXPECT_EQ(document.FindNode("x:y", false)->NamespacePrefix(), "x");
    EXPECT_EQ(document.FindNode("temp", false), nullptr);
}

TEST(XmlReader, ReadingErrorsKeepWhatWasReadAndReportIt)
{
    const struct
    {
        std::string text, message, tree;
    } cases[] = {
        {"<?xml version=\"1.0\"?>", "Missing <", "</>"},
        {"<r><a>1</a><b>2</b>", "Missing <", "<r>\r\n  <a>1</a>\r\n  <b>2</b>\r\n</r>"},
        {"<r><!-- x <a/></r>", "Missing comment terminator -->", "<r/>"},
        {"<r><a", "Missing >", "<r/>"},
        {"<r><a>1", "Expected < when parsing text", "<r>\r\n  <a/>\r\n</r>"},
        {"<r><![CDATA[1", "Expected ]]> when parsing CDATA section", "<r/>"},
        {"<r><a>1</b></r>", "Opening and closing tags don't match a b", "<r>\r\n  <a>1</a>\r\n</r>"},
        {"<r><a >1</a ></r>", "Opening and closing tags don't match a a ", "<r>\r\n  <a>1</a>\r\n</r>"},
        {"<r><a x/></r>", "missing = when parsing attributes", "<r>\r\n  <a/>\r\n</r>"},
        {"<r x=1/>", "missing value delimiter when parsing attributes", "<r/>"},
        {"<r x=\"1/>", "Expected closing \" when parsing attributes", "<r/>"},
        {"<r x='1/>", "Expected closing ' when parsing attributes", "<r/>"},
    };
    for (const auto &c : cases) {
        TqomXMLParser2 document;
        document.LoadFromText(c.text);
        EXPECT_TRUE(document.LastError().starts_with(c.message + " near ")) << c.text << "\n" << document.LastError();
        EXPECT_TRUE(document.LastError().ends_with("\r\n" + kDeclaration + c.tree)) << document.LastError();
    }
}

TEST(XmlReader, LastErrorNamesThePlaceAndThePartialDocument)
{
    const std::string cut = kDeclaration + "<Orvane>\r\n  <AutoRun>-1</AutoRun>\r\n  <Temp>5";
    TqomXMLParser2 document;
    document.LoadFromText(cut);
    EXPECT_EQ(document.Position(), 90u);
    EXPECT_EQ(document.LastError(),
              "Expected < when parsing text near </AutoRun>\r\n  <Temp>5\r\n"
              "Error position=90\r\n"
                  + kDeclaration + "<Orvane>\r\n  <AutoRun>-1</AutoRun>\r\n  <Temp/>\r\n</Orvane>");
    // Near the start of the text the excerpt begins at its first byte.
    document.LoadFromText("<a>x");
    EXPECT_EQ(document.LastError(),
              "Expected < when parsing text near <a>x\r\nError position=4\r\n" + kDeclaration + "<a/>");
    document.LoadFromText("<a>x</a>");
    EXPECT_EQ(document.LastError(), "");
}

TEST(XmlReader, NestingHasALimit)
{
    std::string deep;
    for (int i = 0; i <= TqomXMLParser2::kMaxDepth + 1; ++i) {
        deep += "<a>";
    }
    TqomXMLParser2 document;
    document.LoadFromText(deep);
    EXPECT_TRUE(document.LastError().starts_with("Elements nested too deeply near ")) << document.LastError();
    document.LoadFromText(deep.substr(3));
    EXPECT_TRUE(document.LastError().starts_with("Expected < when parsing text")) << document.LastError();
}

TEST(XmlReader, DeclarationFaults)
{
    TqomXMLParser2 document;
    document.LoadFromText("<?xml version=\"1.0\" <a>1</a>");
    EXPECT_EQ(document.LastError(), "Missing ?> in xml declaration.");
    EXPECT_EQ(document.AsXml(), kDeclaration + "</>");
    // A broken attribute in the declaration fails the load itself.
    TqomXMLParser2 broken;
    EXPECT_THROW(
        {
            try {
                broken.LoadFromText("<?xml version ?><a/>");
            } catch (const OrvaneError &error) {
                EXPECT_STREQ(error.what(), "missing = when parsing attributes");
                throw;
            }
        },
        OrvaneError);
}

TEST(XmlNode, FindNodeAttributesAndOwnership)
{
    TqomXMLParser2 document;
    auto *a = addChild(document, "a");
    auto *deepB = addChild(*a, "b", "deep");
    auto *b = addChild(document, "b", "shallow");
    addChild(document, "b", "second");
    EXPECT_EQ(document.FindNode("b", false), b);
    EXPECT_EQ(document.FindNode("b", true), deepB);
    EXPECT_EQ(document.FindNode("B", true), nullptr);
    EXPECT_EQ(b->FindNode("b", true), nullptr);
    EXPECT_EQ(deepB->ParentNode(), a);
    EXPECT_EQ(deepB->Document(), &document);
    EXPECT_EQ(a->Document(), &document);

    a->AddAttribute("k", "1");
    a->AddAttribute("k", "2");
    EXPECT_EQ(a->GetAttribute("k"), "1");
    EXPECT_EQ(a->GetAttribute("K"), "");
}

TEST(XmlFile, LoadsAFileAndReportsOneThatCannotBeOpened)
{
    test::ScratchDir dir;
    test::writeBytes(dir / "c.xml", "<r><a>1</a></r>");
    TqomXMLParser2 document;
    document.LoadFromFile(dir / "c.xml");
    EXPECT_EQ(document.FindNode("a", false)->Text(), "1");

    const struct
    {
        std::string name, reason;
    } faults[] = {{"missing.xml", test::noSuchFileText()}, {"", test::folderAsFileText()}};
    for (const auto &fault : faults) {
        try {
            document.LoadFromFile(dir / fault.name);
            ADD_FAILURE() << "loaded " << fault.name;
        } catch (const OrvaneError &error) {
            EXPECT_EQ(error.what(), "Cannot open file \"" + (dir / fault.name).string() + "\". " + fault.reason);
        }
        EXPECT_EQ(document.Name(), "r"); // unchanged
        EXPECT_EQ(document.Nodes().Count(), 1u);
    }
}

} // namespace
} // namespace orvane
