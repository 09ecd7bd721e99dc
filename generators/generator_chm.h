#pragma once

#include "generators/generator_html.h"

#include <functional>
#include <string>
#include <vector>

// A compiled-help project in the target folder: the HTML pages, a contents file (.hhc), an
// index file (.hhk) and a project file (.hhp) in HTML Help Workshop's formats, named after
// the project; then the help compiler is started on the project file.
class myGeneratorCHM : public myGeneratorHTML {
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(myGeneratorCHM);

public:
    // Starts the compiler: its command line and the folder to start it in; whether it could
    // be started.
    using CompilerStarter =
        std::function<bool(const std::vector<std::string>& argv, const std::string& folder)>;

    myGeneratorCHM();
    ~myGeneratorCHM() override;

    bool Generate(ivData& cursor) override;
    bool WritePage(const std::string& id, int reference, const std::string& alias,
                   const std::string& title, const std::string& html, bool hasChildren) override;
    bool Walk(ivData& cursor, int pass) override;

    // Replaces how the compiler is started; by default it is started detached, without
    // waiting for it.
    void SetCompilerStarter(CompilerStarter starter) { m_startCompiler = std::move(starter); }
    void ApplyOptions(const ivGenerateOptions& options) override;

    // Whether the compiler could be started in the last run.
    bool CompilerStarted() const { return m_compilerStarted; }

    // The texts of the three project files (the contents file as UTF-8, before it is written).
    const std::string& GetContents() const { return m_contents; }
    const std::string& GetProject() const { return m_project; }

private:
    void StartProject();
    void EndProject();

    std::string m_contents;
    std::string m_index;
    std::string m_project;
    std::string m_fileList;
    std::string m_aliasList;
    std::string m_mapList;
    CompilerStarter m_startCompiler;
    bool m_compilerStarted = false;
};
