#include "generators/automation.h"

#include "generators/docx_document.h"

#include <mutex>

namespace {

std::mutex g_mutex;
ivDispatchFactory g_factory;

ivDispatchPtr BuiltInObject(const std::string& programId) {
    if (programId == "Word.Application") {
        return CreateDocxApplication();
    }
    return nullptr;
}

}  // namespace

ivVariant ivVariant::Bool(bool value) {
    ivVariant v;
    v.type = Type::Bool;
    v.boolean = value;
    return v;
}

ivVariant ivVariant::Short(int16_t value) {
    ivVariant v;
    v.type = Type::Short;
    v.number = value;
    return v;
}

ivVariant ivVariant::String(std::string value) {
    ivVariant v;
    v.type = Type::String;
    v.text = std::move(value);
    return v;
}

ivVariant ivVariant::Object(ivDispatchPtr value) {
    ivVariant v;
    v.type = value ? Type::Object : Type::Empty;
    v.object = std::move(value);
    return v;
}

std::string ivVariant::Describe() const {
    switch (type) {
        case Type::Empty:
            return "empty";
        case Type::Bool:
            return boolean ? "true" : "false";
        case Type::Short:
            return std::to_string(number);
        case Type::String:
            return "\"" + text + "\"";
        case Type::Object:
            return "object";
    }
    return {};
}

ivDispatchPtr CreateDispatchObject(const std::string& programId) {
    ivDispatchFactory factory;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        factory = g_factory;
    }
    return factory ? factory(programId) : BuiltInObject(programId);
}

ivDispatchFactory SetDispatchFactory(ivDispatchFactory factory) {
    std::lock_guard<std::mutex> lock(g_mutex);
    std::swap(g_factory, factory);
    return factory;
}
