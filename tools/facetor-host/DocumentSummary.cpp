#include "DocumentSummary.h"

#include "ui/ScriptedDriver.h"

const char* DocumentTypeName(sim::DocumentType type)
{
    switch (type)
    {
    case sim::DocumentType::Part:
        return "part";
    case sim::DocumentType::Assembly:
        return "assembly";
    case sim::DocumentType::Drawing:
        return "drawing";
    }
    return "document";
}

std::string DocumentSummary(const sim::Document& document)
{
    size_t entities = 0;
    for (const auto& sketch : document.sketches)
        for (size_t count : sketch->counts)
            entities += count;
    const size_t lines = document.SketchEntityCount(sim::SketchEntityKind::Line);
    return ui::Utf8(document.title) + ": " + DocumentTypeName(document.type) + ", unit " +
           std::to_string(document.lengthUnit) + ", " + std::to_string(document.bodies.size()) + " bodies, " +
           std::to_string(document.FaceCount()) + " faces, " + std::to_string(lines) + " sketch lines, " +
           std::to_string(entities - lines) + " other sketch entities";
}
