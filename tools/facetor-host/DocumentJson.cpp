#include "DocumentJson.h"

#include "DocumentSummary.h"

#include "ui/ScriptedDriver.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

namespace
{
using nlohmann::json;

const char* const kEntityKinds[] = {"point", "line", "circle", "arc", "spline", "bspline"};

json BodyJson(const sim::Body& body)
{
    json faces = json::array();
    for (const sim::PlanarFace& face : body.planarFaces)
    {
        json points = json::array();
        for (int i = 0; i < face.pointCount; ++i)
            points.push_back(
                {face.points[size_t(3 * i)], face.points[size_t(3 * i + 1)], face.points[size_t(3 * i + 2)]});
        faces.push_back({{"points", points}, {"normal", face.normal}});
    }
    return {{"name", ui::Utf8(body.name)},
            {"kind", body.kind == 0 ? "solid" : "sheet"},
            {"faceCount", body.planarFaceCount + body.surfaces.size() + body.faceTriangles.size()},
            {"planarFaces", faces}};
}

json SketchJson(const sim::Sketch& sketch)
{
    json counts = json::object();
    for (size_t kind = 0; kind < sketch.counts.size(); ++kind)
        counts[kEntityKinds[kind]] = sketch.counts[kind];
    json entities = json::array();
    for (const sim::SketchEntity& entity : sketch.entities)
        entities.push_back({{"kind", kEntityKinds[size_t(entity.kind)]},
                            {"values", entity.values},
                            {"integers", entity.integers}});
    return {{"is3D", sketch.is3D}, {"counts", counts}, {"entities", entities}};
}

json DocumentJson(const sim::Document& document)
{
    json bodies = json::array();
    for (const auto& body : document.bodies)
        bodies.push_back(BodyJson(*body));
    json sketches = json::array();
    for (const auto& sketch : document.sketches)
        sketches.push_back(SketchJson(*sketch));
    return {{"title", ui::Utf8(document.title)},
            {"type", DocumentTypeName(document.type)},
            {"lengthUnit", document.lengthUnitSet ? json(document.lengthUnit) : json(nullptr)},
            {"bodies", bodies},
            {"sketches", sketches}};
}

// A title as a file name: path separators would put the file elsewhere.
std::string FileName(const std::wstring& title)
{
    std::string name = ui::Utf8(title);
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '_';
    return name.empty() || name == "." || name == ".." ? "_" + name : name;
}
} // namespace

bool SaveDocuments(const sim::Model& model, const std::string& folder, std::string& error)
{
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    for (const auto& document : model.documents)
    {
        const std::filesystem::path path =
            std::filesystem::path(folder) / (FileName(document->title) + ".json");
        std::ofstream file(path);
        file << DocumentJson(*document).dump(2) << '\n';
        if (!file.flush())
        {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}
