#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Late-bound automation: objects whose members are called by name with typed values, the way
// a word processor's object model is driven. The Word generator talks to its document writer
// only through this, so that another writer, or a test's recording object, can take its place.

class ivDispatch;
using ivDispatchPtr = std::shared_ptr<ivDispatch>;

// A value passed to or returned by a member.
struct ivVariant {
    enum class Type { Empty, Bool, Short, String, Object };

    Type type = Type::Empty;
    bool boolean = false;
    int16_t number = 0;
    std::string text;
    ivDispatchPtr object;

    static ivVariant Bool(bool value);
    static ivVariant Short(int16_t value);
    static ivVariant String(std::string value);
    static ivVariant Object(ivDispatchPtr value);

    // "true", "-2", "\"text\"", "object", "empty": for messages and test records.
    std::string Describe() const;
};

enum class ivInvokeKind { PropertyGet, PropertyPut, Method };

// An object reached by member names.
class ivDispatch {
public:
    virtual ~ivDispatch() = default;
    // Calls member with args; result receives what it returns (Empty for nothing). False
    // when the object has no such member or rejects the call.
    virtual bool Invoke(const std::string& member, ivInvokeKind kind,
                        const std::vector<ivVariant>& args, ivVariant& result) = 0;
};

// Makes the object a program identifier names ("Word.Application"); null when none is known.
using ivDispatchFactory = std::function<ivDispatchPtr(const std::string& programId)>;

ivDispatchPtr CreateDispatchObject(const std::string& programId);

// Replaces the factory (tests); an empty one restores the built-in objects. Returns the
// previous factory.
ivDispatchFactory SetDispatchFactory(ivDispatchFactory factory);
