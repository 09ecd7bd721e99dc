#include "generators/generator.h"
#include "generators/generator_chm.h"
#include "generators/generator_html.h"
#include "generators/generator_word.h"

#include <wx/object.h>

#include <string>
#include <vector>

namespace {

struct Kind {
    std::string name;
    wxClassInfo* info;
};

// The class records are named here so that a static link keeps the classes.
const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds = {
        {"HTML", wxCLASSINFO(myGeneratorHTML)},
        {"CHM", wxCLASSINFO(myGeneratorCHM)},
        {"DOC", wxCLASSINFO(myGeneratorMicrosoftWord)},
    };
    return kinds;
}

}  // namespace

const std::vector<std::string>& GeneratorNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const Kind& kind : Kinds()) {
            all.push_back(kind.name);
        }
        return all;
    }();
    return names;
}

std::unique_ptr<myGenerator> CreateGenerator(const std::string& name) {
    for (const Kind& kind : Kinds()) {
        if (kind.name == name) {
            wxObject* object = kind.info->CreateObject();
            auto* generator = dynamic_cast<myGenerator*>(object);
            if (generator == nullptr) {
                delete object;
            }
            return std::unique_ptr<myGenerator>(generator);
        }
    }
    return nullptr;
}
