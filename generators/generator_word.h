#pragma once

#include "generators/automation.h"
#include "generators/generator.h"

#include <string>
#include <unordered_set>
#include <vector>

// A word-processor document: for every section in document order a paragraph in the style
// "Heading 1" with its title, then its RTF body, inserted from a temporary file. The
// document is built through automation calls on "Word.Application" (our document writer),
// saved as "<project name>.docx" in the target folder and opened with the desktop.
class myGeneratorMicrosoftWord : public myGenerator {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(myGeneratorMicrosoftWord);

public:
    myGeneratorMicrosoftWord();
    ~myGeneratorMicrosoftWord() override;

    bool Generate(ivData& cursor) override;
    virtual bool WriteSection(const std::string& id, int reference, const std::string& alias,
                              const std::string& title, const std::string& rtf, bool hasChildren);
    virtual bool Walk(ivData& cursor);
    // A new document of a visible application; null when none can be made.
    virtual ivDispatchPtr CreateWordDocument();
    // A new empty paragraph at the end of the document.
    virtual ivDispatchPtr AppendParagraph();

    // Whether the finished document is opened with the desktop's default application.
    void SetOpenResult(bool open) { m_openResult = open; }
    // The .docx the last run wrote; empty before.
    std::string GetOutputPath() const override { return m_outputPath; }
    void ApplyOptions(const ivGenerateOptions& options) override;

private:
    // Automation calls. Once one fails (or finds no object) the run has failed and the
    // following calls do nothing, as an uncaught automation error would stop the run there.
    ivVariant Invoke(const ivDispatchPtr& object, const char* member, ivInvokeKind kind,
                     const std::vector<ivVariant>& args = {});
    ivDispatchPtr Get(const ivDispatchPtr& object, const char* member);
    ivDispatchPtr Call(const ivDispatchPtr& object, const char* member,
                       const std::vector<ivVariant>& args = {});
    void Put(const ivDispatchPtr& object, const char* member, ivVariant value);

    bool EndRun(bool ok);

    // The IDs of the document's sections, which links may lead to.
    void CollectIds(ivData& cursor);

    ivDispatchPtr m_document;
    std::unordered_set<std::string> m_sectionIds;
    bool m_failed = false;
    bool m_openResult = true;
    std::string m_outputPath;
};
