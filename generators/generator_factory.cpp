#include "generators/generator.h"
#include "generators/generator_chm.h"
#include "generators/generator_html.h"
#include "generators/generator_word.h"

#include <wx/object.h>

#include <string_view>

std::unique_ptr<myGenerator> CreateGenerator(const std::string& name) {
    // The class records are named here so that a static link keeps the classes.
    struct Kind {
        std::string_view name;
        wxClassInfo* info;
    };
    static const Kind kinds[] = {
        {"HTML", wxCLASSINFO(myGeneratorHTML)},
        {"CHM", wxCLASSINFO(myGeneratorCHM)},
        {"DOC", wxCLASSINFO(myGeneratorMicrosoftWord)},
    };
    for (const Kind& kind : kinds) {
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
