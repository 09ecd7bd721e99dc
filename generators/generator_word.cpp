#include "generators/generator_word.h"

#include "core/directories.h"
#include "core/file_errors.h"
#include "core/translate.h"
#include "document/iv_data.h"
#include "generators/file_util.h"
#include "platform/desktop.h"
#include "platform/file_io.h"

wxIMPLEMENT_DYNAMIC_CLASS(myGeneratorMicrosoftWord, myGenerator);

namespace {

// Word's built-in style "Heading 1" (wdStyleHeading1).
constexpr int16_t kHeading1Style = -2;

// The bookmark on a section's heading that links to the section lead to: Word's hidden
// bookmarks start with "_", and a name may have 40 characters.
std::string HeadingBookmark(const std::string& id) {
    std::string name = "_Sec";
    for (const char c : id) {
        const bool keep =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (keep && name.size() < 40) {
            name.push_back(c);
        }
    }
    return name;
}

}  // namespace

myGeneratorMicrosoftWord::myGeneratorMicrosoftWord() = default;

myGeneratorMicrosoftWord::~myGeneratorMicrosoftWord() = default;

ivVariant myGeneratorMicrosoftWord::Invoke(const ivDispatchPtr& object, const char* member,
                                           ivInvokeKind kind, const std::vector<ivVariant>& args) {
    ivVariant result;
    if (m_failed || !object || !object->Invoke(member, kind, args, result)) {
        m_failed = true;
        return {};
    }
    return result;
}

ivDispatchPtr myGeneratorMicrosoftWord::Get(const ivDispatchPtr& object, const char* member) {
    ivVariant result = Invoke(object, member, ivInvokeKind::PropertyGet);
    if (!m_failed && !result.object) {
        m_failed = true;
    }
    return result.object;
}

ivDispatchPtr myGeneratorMicrosoftWord::Call(const ivDispatchPtr& object, const char* member,
                                             const std::vector<ivVariant>& args) {
    return Invoke(object, member, ivInvokeKind::Method, args).object;
}

void myGeneratorMicrosoftWord::Put(const ivDispatchPtr& object, const char* member,
                                   ivVariant value) {
    Invoke(object, member, ivInvokeKind::PropertyPut, {std::move(value)});
}

ivDispatchPtr myGeneratorMicrosoftWord::CreateWordDocument() {
    ivDispatchPtr application = CreateDispatchObject("Word.Application");
    Put(application, "Visible", ivVariant::Bool(true));
    ivDispatchPtr documents = Get(application, "Documents");
    ivDispatchPtr document = Call(documents, "Add");
    Call(document, "UpdateStyles");
    return m_failed ? nullptr : document;
}

ivDispatchPtr myGeneratorMicrosoftWord::AppendParagraph() {
    ivDispatchPtr content = Get(m_document, "Content");
    ivDispatchPtr bookmarks = Get(m_document, "Bookmarks");
    ivDispatchPtr bookmark = Call(bookmarks, "Item", {ivVariant::String("\\endofdoc")});
    ivDispatchPtr end = Get(bookmark, "Range");
    ivDispatchPtr paragraphs = Get(content, "Paragraphs");
    return Call(paragraphs, "Add", {ivVariant::Object(end)});
}

bool myGeneratorMicrosoftWord::WriteSection(const std::string& id, int, const std::string&,
                                            const std::string& title, const std::string& rtf,
                                            bool) {
    // An unwritable temporary file is not reported here: inserting it then fails the run.
    const std::string path = GetTempDirectory() + NewGuidString() + ".rtf";
    WriteWholeFile(path, ResolveSectionLinks({id, title, {}, rtf}, [&](const std::string& to) {
                       return m_sectionIds.count(to) != 0 ? "#" + HeadingBookmark(to)
                                                          : std::string();
                   }));

    ivDispatchPtr heading = AppendParagraph();
    ivDispatchPtr headingRange = Get(heading, "Range");
    Put(headingRange, "Text", ivVariant::String(title));
    Put(heading, "Style", ivVariant::Short(kHeading1Style));
    if (!id.empty()) {
        Call(Get(m_document, "Bookmarks"), "Add",
             {ivVariant::String(HeadingBookmark(id)), ivVariant::Object(headingRange)});
    }
    Call(headingRange, "InsertParagraphAfter");

    ivDispatchPtr body = AppendParagraph();
    ivDispatchPtr bodyRange = Get(body, "Range");
    Call(bodyRange, "InsertFile",
         {ivVariant::String(path), ivVariant::String(""), ivVariant::Bool(false),
          ivVariant::Bool(false), ivVariant::Bool(false)});
    Call(bodyRange, "InsertParagraphAfter");

    // The writer has read the file by now; nothing is left behind in the temporary folder.
    platform::RemoveFile(path);
    return !m_failed;
}

void myGeneratorMicrosoftWord::ApplyOptions(const ivGenerateOptions& options) {
    myGenerator::ApplyOptions(options);
    SetOpenResult(options.openResult);
}

bool myGeneratorMicrosoftWord::Walk(ivData& cursor) {
    const std::string name = cursor.GetName();
    if (name.empty()) {
        return false;
    }
    if (name != "Document") {
        const ivSectionValues s = ReadSection(cursor);
        if (!WriteSection(s.id, s.reference, s.alias, s.title, s.text, s.hasChildren)) {
            return false;
        }
    }
    return WalkChildren(cursor, [&] { return Walk(cursor); });
}

void myGeneratorMicrosoftWord::CollectIds(ivData& cursor) {
    if (cursor.GetName() != "Document") {
        m_sectionIds.insert(cursor.GetAttribute("ID"));
    }
    WalkChildren(cursor, [&] {
        CollectIds(cursor);
        return true;
    });
}

bool myGeneratorMicrosoftWord::EndRun(bool ok) {
    ShowStatus(0, 0);
    m_document.reset();
    return ok;
}

bool myGeneratorMicrosoftWord::Generate(ivData& cursor) {
    ShowStatus(command_id::kToolsGenerate, 0);
    m_failed = false;
    m_outputPath.clear();
    ForgetMissingLinks();
    m_sectionIds.clear();
    CollectIds(cursor);
    m_document = CreateWordDocument();
    if (!m_document || !Walk(cursor)) {
        return EndRun(false);
    }
    const std::string path = GetTargetPath() + ProjectFileStem() + ".docx";
    platform::FileError error;
    if (!platform::MayReplace(path, &error)) {
        Fail(DescribeFileError(error));
        return EndRun(false);
    }
    Call(m_document, "SaveAs2", {ivVariant::String(path)});
    if (m_failed) {
        Fail(TranslateFormat("%s cannot be written.", path.c_str()));
        return EndRun(false);
    }
    m_outputPath = path;
    if (m_openResult) {
        platform::OpenWithDesktop(path);
    }
    return EndRun(true);
}
