#pragma once

#include "core/command_ids.h"
#include "document/iv_object.h"
#include "document/section_link.h"

#include "generators/generate_options.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ivData;
class ivStatusIndicators;

// The values a generator reads from one section element.
struct ivSectionValues {
    std::string id;
    std::string title;
    std::string alias;
    std::string text;   // the body, RTF
    int reference = 0;  // help context number
    bool hasChildren = false;
};

// Base of the generators: turns the document tree into output in a target folder. A
// generator is made for one run and then deleted.
class myGenerator : public ivObject {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(myGenerator);

public:
    myGenerator();
    ~myGenerator() override;

    // The whole output of the document whose root element the cursor stands on.
    virtual bool Generate(ivData& cursor);

    // Stores the folder that output goes to; a "/" is appended unless it is empty or already
    // ends with one.
    void SetTargetPath(const std::string& path);
    const std::string& GetTargetPath() const { return m_targetPath; }

    // The document's title; names the project files where a generator has them.
    void SetProjectName(const std::string& name) { m_projectName = name; }
    const std::string& GetProjectName() const { return m_projectName; }

    // Where progress is shown; by default the installed status indicators (may be null).
    void SetIndicators(ivStatusIndicators* indicators) { m_indicators = indicators; }

    // Takes what options change for this run; each generator takes the options it has.
    virtual void ApplyOptions(const ivGenerateOptions& options);

    // The file a run made when it makes one file (a Word document); empty otherwise.
    virtual std::string GetOutputPath() const { return {}; }

    // Why the run failed, for the user (naming the file concerned); empty when it gave no
    // reason.
    const std::string& GetError() const { return m_error; }

    // The links to sections that the last run found no section for and wrote as plain text.
    const std::vector<section_link::Missing>& GetMissingLinks() const { return m_missing; }

    // Generates for the document of cursor from its root element; false when there is no
    // cursor or root, or when generating fails.
    bool Run(ivData* cursor);

    // The help context number of a "Reference" text: leading blanks, an optional sign and
    // the decimal digits that follow ("12abc" is 12, "1000.000000" is 1000, "abc" is 0).
    static int ParseReference(const std::string& text);

protected:
    void SetIndicator(const char* name, int value);
    // "MODE" and "PROGRESS" together.
    void ShowStatus(int mode, int progress);

    // Records why the run fails, the first reason counting; returns false.
    bool Fail(const std::string& reason);

    // Writes a file of the output (WriteWholeFile); a file that cannot be written fails the
    // run, naming it.
    bool WriteOutput(const std::string& path, std::string_view bytes);

    // Reads the values of the section element at the cursor.
    static ivSectionValues ReadSection(ivData& cursor);

    // Whether the element at the cursor has a child that the walk visits.
    static bool HasSectionChildren(ivData& cursor);

    // Visits the child nodes of the element at the cursor in order, calling walkChild with
    // the cursor on each named child and moving back afterwards. Nodes without a name
    // (comments, text) are passed over. False when a child's walk or the move back fails, or
    // when the walk would go deeper than a document may nest (ivData::kMaxDepth), which
    // bounds the recursion of the walks that call it.
    bool WalkChildren(ivData& cursor, const std::function<bool()>& walkChild);

    // The project name made fit to name files in the target folder.
    std::string ProjectFileStem() const;

    // The body of section with its links to sections made to lead where target(id) says
    // (empty: the section is missing, the link becomes text and is recorded as missing).
    std::string ResolveSectionLinks(const ivSectionValues& section,
                                    const std::function<std::string(const std::string&)>& target);
    void ForgetMissingLinks() { m_missing.clear(); }

private:
    std::string m_targetPath;
    std::string m_projectName;
    std::string m_error;
    std::vector<section_link::Missing> m_missing;
    int m_walkDepth = 0;
    ivStatusIndicators* m_indicators = nullptr;
};

// The generator for a name: "HTML", "CHM" or "DOC" (exact, case-sensitive); null for any
// other name.
std::unique_ptr<myGenerator> CreateGenerator(const std::string& name);

// The names CreateGenerator knows, in the order the generator box lists them.
const std::vector<std::string>& GeneratorNames();
