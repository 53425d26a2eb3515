// What the simulated host holds: documents with their bodies and sketches. Tests read it to
// see what the add-in built; in lean mode only the counts are kept.
#pragma once

#include "sim/UserInterface.h"

#include "wintypes.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim
{
enum class DocumentType
{
    Part,
    Assembly,
    Drawing,
};

struct PlanarFace
{
    int pointCount;
    std::array<double, 12> points;
    std::array<double, 3> normal;
};

// A surface made on a temporary body: B-spline or planar, with its trimming loops or bounds.
struct HostSurface
{
    bool planar = false;
    std::vector<LONG> properties;
    std::vector<double> uKnots, vKnots, controlPoints;
    std::vector<double> rootPoint, normal;
    struct Loop
    {
        std::vector<LONG> orders, dimensions, periodic, knotCounts, controlPointCounts;
        std::vector<double> knots, controlPoints;
    };
    std::vector<Loop> loops;
    std::vector<double> bounds; // u min, u max, v min, v max, once bounded
};

// A body of a part. Faces made by the add-in are its planar faces and surfaces; faces a test
// sets up for reading back carry their tessellation (9 floats per triangle).
struct Body
{
    int number = 0;
    std::wstring name;
    LONG kind = 0; // 0 solid, 1 sheet
    bool visible = true;
    size_t planarFaceCount = 0;
    std::vector<PlanarFace> planarFaces; // empty in lean mode
    std::vector<HostSurface> surfaces;
    std::vector<std::vector<float>> faceTriangles;
};

enum class SketchEntityKind
{
    Point,
    Line,
    Circle,
    Arc,
    Spline,
    BSpline,
};

struct SketchEntity
{
    SketchEntityKind kind;
    std::vector<double> values; // the call's doubles in argument order (knots, then points for a B-spline)
    std::vector<LONG> integers; // direction of an arc, count of a spline, the B-spline properties
};

struct Sketch
{
    bool is3D = true;
    std::array<size_t, 6> counts{}; // per SketchEntityKind
    std::vector<SketchEntity> entities; // empty in lean mode
    size_t Count(SketchEntityKind kind) const { return counts[size_t(kind)]; }

    // What the sketch reports when it is read back, as its read-back operations lay it out: 12
    // doubles per line, 16 per arc; polyline and spline records with their counts as reported.
    std::vector<double> lineRecords, arcRecords;
    std::vector<double> polylineData, splineData;
    LONG polylineCount = 0, splineCount = 0;
};

// Red, green, blue (0..1), four values of the host's, transparency (0..1), two more.
using MaterialValues = std::array<double, 10>;

struct Document;

// A component of an assembly: its own bodies, the document it shows, where it is placed.
struct Component
{
    int number = 0;
    std::wstring name;
    Document* modelDoc = nullptr;
    // The rotation column by column, the translation in metres, then four values of the host's.
    std::array<double, 16> transform{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    std::optional<MaterialValues> materialValues; // none: the material-values operation fails
    std::vector<std::unique_ptr<Body>> bodies;
    std::vector<std::unique_ptr<Component>> children;
};

struct Document
{
    int number = 0;
    DocumentType type = DocumentType::Part;
    std::wstring title;
    LONG lengthUnit = 0;
    bool lengthUnitSet = false;
    bool hasTitleInterface = true;
    std::vector<std::unique_ptr<Body>> bodies;
    // Sketches in the order they were opened; entities made with no 3D sketch open go into
    // the document's own (2D) sketch, made on first use.
    std::vector<std::unique_ptr<Sketch>> sketches;
    Sketch* openSketch = nullptr;
    Sketch* looseSketch = nullptr;
    std::optional<MaterialValues> materialValues; // none: the material-values operation fails
    std::unique_ptr<Component> rootComponent;   // of the active configuration

    size_t FaceCount() const;
    size_t SketchEntityCount(SketchEntityKind kind) const;
};

struct Model
{
    std::vector<std::unique_ptr<Document>> documents;
    Document* active = nullptr;
    int partsMade = 0, assembliesMade = 0, drawingsMade = 0, bodiesMade = 0;
    UserInterface userInterface;

    // A new document, which becomes the active one.
    Document& AddDocument(DocumentType type);
    // A body with tessellated faces (9 floats per triangle), named as the host names it.
    Body& AddBody(std::vector<std::unique_ptr<Body>>& owner, const std::wstring& name,
                  std::vector<std::vector<float>> faceTriangles, LONG kind = 0);
    // The root component of an assembly's active configuration, and the components below it.
    Component& SetRootComponent(Document& assembly, const std::wstring& name, Document* modelDoc);
    Component& AddChild(Component& parent, const std::wstring& name, Document* modelDoc);
    int componentsMade = 0;
};
} // namespace sim
