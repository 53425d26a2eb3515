// The geometry bridge: openNURBS geometry into host documents and back. Static functions only;
// a failing function sets the error text and returns 0, and the caller reads it with GetError.
#pragma once

#include "HostUtils.h"

#include "afxwin.h"
#include "opennurbs.h"
#include "sldworks.h"

enum ImportAs
{
    ImportAsSolid = 0,
    ImportAs3DSketch = 1,
};

class NVKSWON : public HostUtils
{
public:
    NVKSWON() {}
    ~NVKSWON() {}

    static CString GetError();
    static void SetError(const CString& error);

    // Meshes into new parts: all into one part (multibody) or one part per mesh; each mesh a solid
    // of planar faces (ImportAsSolid) or its edges as lines of a 3D sketch (ImportAs3DSketch).
    static int CreatePartFromMeshes(ISldWorks* pApp, ON_ClassArray<ON_Mesh>& meshes, int unit, int mode,
                                    int multiBody, int progress);
    static int CreatePartFromMesh(ISldWorks* pApp, const ON_Mesh& mesh, int unit, int mode, int progress);
    // One body of one planar face per face of a mesh whose quadrilaterals are already split.
    static int CreateSolidFromMesh(IPartDoc* pPart, ON_Mesh& mesh, double factor, int progress);
    // One line per topological edge, into the open 3D sketch. 1, or 0 for a mesh whose faces or
    // topological edges name vertices it does not have.
    static int CreateSketchFromMesh(IModelDoc* pDoc, const ON_Mesh& mesh, double factor, int progress);
    static int CreateSketchFromMeshes(IModelDoc* pDoc, const ON_ClassArray<ON_Mesh>& meshes, double factor,
                                      int progress);

    // An openNURBS surface onto a temporary body: a plane surface as a planar surface, a NURBS
    // surface as a B-spline surface; then trimmed by the loop of 3D curves, or bounded by its
    // parameter rectangle when the loop is empty. Coordinates are multiplied by the scale, knots
    // and bounds are not. The out surfaces come with one reference for the caller to release.
    static int CreateSurface(ITemporaryBody* pBody, const ON_Surface& surface,
                             const ON_ClassArray<ON_NurbsCurve>& loop, double scale);
    static int CreateNurbsSurface(ITemporaryBody* pBody, IHostSurface** ppSurface,
                                  const ON_NurbsSurface& surface, double scale);
    static int CreatePlaneSurface(ITemporaryBody* pBody, IHostSurface** ppSurface,
                                  const ON_PlaneSurface& surface, double scale);
    static int AddTrimmingLoop(IHostSurface* pSurface, const ON_ClassArray<ON_NurbsCurve>& loop,
                               double scale);

    // One body of the part from a surface bounded by its parameter rectangle and, for a thickness
    // above 0, a slab below it: four vertical walls and a bottom, flat or the surface moved down.
    static int CreateSolidFromSurface(IPartDoc* pPart, const ON_NurbsSurface& surface, double thickness,
                                      int flatBottom, double scale);
    static int CreateSlabSurfaces(ITemporaryBody* pBody, const ON_NurbsSurface& surface, double thickness,
                                  int flatBottom, double scale);

    // openNURBS points and curves into entities of the 3D sketch that the caller has opened. Every
    // coordinate and radius is multiplied by the scale; knots are not. No error text is set.
    // The host's result code, 0 on success.
    static int CreateSketchPoint(IModelDoc* pDoc, const ON_3dPoint& point, double scale);
    static int CreateSketchLine(IModelDoc* pDoc, const ON_Line& line, double scale);
    // Always 1.
    static int CreateSketchPoints(IModelDoc* pDoc, const ON_3dPointArray& points, double scale, int progress);
    // One line per segment; the first line refused ends it with 0.
    static int CreateSketchPolyline(IModelDoc* pDoc, const ON_Polyline& polyline, double scale);
    static int CreateSketchSpline(IModelDoc* pDoc, const ON_3dPointArray& points, double scale);
    // A closed curve as a spline through sample points, an open one as the exact B-spline (control
    // points divided by their weights). 0 without a host call for a curve that cannot be read (an
    // order below 2, too few control points, knots or control points missing or fewer than its
    // counts, a weight of 0).
    static int CreateSketchNurbsCurve(IModelDoc* pDoc, const ON_NurbsCurve& curve, double scale);
    // In the world XY plane a circle or an arc; elsewhere its NURBS form.
    static int CreateSketchArc(IModelDoc* pDoc, const ON_Arc& arc, double scale);
    // Each curve as the first of line, arc and polyline that it is, else as a NURBS curve.
    // Always 1.
    static int CreateSketchCurves(IModelDoc* pDoc, const ON_ClassArray<ON_NurbsCurve>& curves, double scale,
                                  int progress);

    // Surfaces as grids of iso-curves and breps as their edge curves, drawn by CreateSketchCurves
    // into the open 3D sketch. The single forms always give 1 (a surface that cannot be read draws
    // nothing); the array forms 1 when every element gave 1.
    static int CreateSketchFromSurface(IModelDoc* pDoc, const ON_NurbsSurface& surface, double scale,
                                       int progress);
    static int CreateSketchFromSurfaces(IModelDoc* pDoc, const ON_ClassArray<ON_NurbsSurface>& surfaces,
                                        double scale, int progress);
    static int CreateSketchFromBrep(IModelDoc* pDoc, const ON_Brep& brep, double scale, int progress);
    static int CreateSketchFromBreps(IModelDoc* pDoc, const ON_ClassArray<ON_Brep>& breps, double scale,
                                     int progress);

    // A new part from a surface: a solid (ImportAsSolid; a slab below it for a thickness above 0)
    // or its iso-curves in a 3D sketch (ImportAs3DSketch); any other mode leaves the part empty.
    static int CreatePartFromSurface(ISldWorks* pApp, const ON_NurbsSurface& surface, int unit, int mode,
                                     double thickness, int flatBottom, int progress);
    // A new part (type 0), assembly (1) or drawing (2), or for any other type the active document,
    // filled with the geometry given (null pointers are skipped) as sketch entities: in a 3D
    // sketch for parts and assemblies. 1 once there is an active document, whatever the filling did.
    static int CreateDocument(ISldWorks* pApp, int type, int unit, const ON_3dPointArray* points,
                              const ON_ClassArray<ON_NurbsCurve>* curves,
                              const ON_ClassArray<ON_NurbsSurface>* surfaces,
                              const ON_ClassArray<ON_Brep>* breps, const ON_ClassArray<ON_Mesh>* meshes,
                              int progress);

    // Host geometry back into meshes in metres, triangles only, identical vertices combined. Each
    // mesh appended comes with one name when names is not null ("%s-%s": owner, body); parts and
    // component trees also give each mesh one colour, the single entry of its m_C.
    static int AppendTriangle(ON_Mesh& mesh, const ON_3dPoint& a, const ON_3dPoint& b, const ON_3dPoint& c);
    static int GetMeshFromBody(IBody* pBody, ON_Mesh& mesh);
    static int GetPartMeshes(IPartDoc* pPart, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names,
                             short visibleOnly);
    static int GetComponentMeshes(IComponent* pComponent, ON_ClassArray<ON_Mesh>& meshes,
                                  CStringArray* names);
    // Depth first, each component moved by its own transform; returns the component's child count.
    static int GetComponentTreeMeshes(IComponent* pComponent, ON_ClassArray<ON_Mesh>& meshes,
                                      CStringArray* names);
    // These three start from empty arrays.
    static int GetAssemblyMeshes(IModelDoc* pDoc, IAssemblyDoc* pAssembly, ON_ClassArray<ON_Mesh>& meshes,
                                 CStringArray* names);
    static int GetDocumentMeshes(IModelDoc* pDoc, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names);
    static int GetActiveDocumentMeshes(ISldWorks* pApp, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names);

    // Host sketch geometry back into openNURBS, in metres; no error text. Each returns 1, or 0 when
    // the sketch has none of that kind or its data cannot be read. Lines, polylines and splines
    // start from an empty array; arcs (circles included) are appended to what the array holds.
    static int GetSketchLines(ISketch* pSketch, ON_ClassArray<ON_Line>& lines);
    static int GetSketchArcs(ISketch* pSketch, ON_ClassArray<ON_Arc>& arcs);
    static int GetSketchPolylines(ISketch* pSketch, ON_ClassArray<ON_Polyline>& polylines);
    // Quadratic curves with the host's points as control points; records of fewer than three
    // points give no curve.
    static int GetSketchSplines(ISketch* pSketch, ON_ClassArray<ON_NurbsCurve>& splines);
    // Deletes the curves the array held, then appends new curves that the array owns: the lines,
    // polylines, splines and arcs, each kind in the host's order. Always 1.
    static int GetSketchCurves(ISketch* pSketch, ON_CurveArray& curves);

private:
    // A new part and the active document that the host makes of it. On failure the error text
    // is `noPartError` or "Unable to retrieve active model", the part is released and the result
    // is false; on success the caller releases both.
    static bool OpenNewPart(ISldWorks* pApp, const wchar_t* noPartError, IPartDoc** ppPart,
                            IModelDoc** ppDoc);
    // The end of filling such a part: the 3D sketch closed when it was opened, the host's
    // finishing operations, and both interfaces released.
    static void CloseNewPart(IPartDoc* pPart, IModelDoc* pDoc, bool sketchOpen);

    static CString m_strError;
};
