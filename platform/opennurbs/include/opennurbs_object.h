#pragma once

// The root of the toolkit's class tree. Each class that callers cast to has a static Cast that
// returns the pointer when the object is of (or derived from) that class, else null.
class ON_Object
{
public:
    ON_Object() = default;
    ON_Object(const ON_Object&) = default;
    ON_Object& operator=(const ON_Object&) = default;
    virtual ~ON_Object() = default;
};
