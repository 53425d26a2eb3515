#include "NVKSWON.h"

#include "JournalText.h"

#include "sim/EntityInterfaces.h"
#include "sim/Host.h"
#include "ui/ScriptedDriver.h"
#include "win32_testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using testing::ElementsAre;

namespace
{
using Values = std::vector<double>;
using Points = std::vector<ON_3dPoint>;

// Values of the host's that the bridge must not take for geometry.
constexpr double kHost = 99;

Values LineRecord(const ON_3dPoint& start, const ON_3dPoint& end)
{
    return {kHost, kHost, kHost, kHost, kHost, kHost, start.x, start.y, start.z, end.x, end.y, end.z};
}

Values ArcRecord(const ON_3dPoint& start, const ON_3dPoint& end, const ON_3dPoint& centre, double direction)
{
    Values record(6, kHost);
    for (const ON_3dPoint& p : {start, end, centre})
        record.insert(record.end(), {p.x, p.y, p.z});
    record.push_back(direction);
    return record;
}

void AppendPoints(Values& record, const Points& points)
{
    for (const ON_3dPoint& p : points)
        record.insert(record.end(), {p.x, p.y, p.z});
}

// One value of the host's, k, k + 6 values of the host's, the point count, the points.
Values PolylineRecord(int k, const Points& points)
{
    Values record = {kHost, double(k)};
    record.insert(record.end(), size_t(k) + 6, kHost);
    record.push_back(double(points.size()));
    AppendPoints(record, points);
    return record;
}

// Six values of the host's, the point count, the points.
Values SplineRecord(const Points& points)
{
    Values record(6, kHost);
    record.push_back(double(points.size()));
    AppendPoints(record, points);
    return record;
}

Values Joined(std::initializer_list<Values> records)
{
    Values data;
    for (const Values& record : records)
        data.insert(data.end(), record.begin(), record.end());
    return data;
}

Points PointsOf(const ON_3dPointArray& points)
{
    return Points(points.Array(), points.Array() + points.Count());
}

Points ControlPointsOf(const ON_NurbsCurve& curve)
{
    Points points(size_t(curve.CVCount()));
    for (int i = 0; i < curve.CVCount(); ++i)
        curve.GetCV(i, points[size_t(i)]);
    return points;
}

std::vector<double> KnotsOf(const ON_NurbsCurve& curve)
{
    return std::vector<double>(curve.m_knot, curve.m_knot + curve.KnotCount());
}

MATCHER_P2(NearPoint, expected, tolerance, "")
{
    return arg.DistanceTo(expected) <= tolerance;
}

class CurvesFromSketch : public testing::Test
{
protected:
    void SetUp() override { NVKSWON::SetError(L"-"); }
    void TearDown() override
    {
        pSketch->Release();
        EXPECT_EQ(host.LiveReferences(), 0) << "the bridge kept a host reference";
        EXPECT_EQ(platform::LiveBstrCount(), bstrsBefore);
        EXPECT_EQ(ui::Utf8(std::wstring((LPCWSTR)NVKSWON::GetError())), "-")
            << "read-back sets no error text";
    }

    void FailNext(const char* operation) { host.FailCall(operation, host.CallCount(operation) + 1); }

    sim::Host host;
    sim::Sketch sketch;
    ISketch* pSketch = sim::SketchInterface(host, sketch);
    long bstrsBefore = platform::LiveBstrCount();
};
} // namespace

TEST_F(CurvesFromSketch, LinesComeExactlyAsTheHostWroteThem)
{
    sketch.lineRecords =
        Joined({LineRecord({0.1, 0.2, 0.3}, {1e-300, -4, 5}), LineRecord({7, 8, 9}, {7, 8, 9})});
    ON_ClassArray<ON_Line> lines;
    ASSERT_EQ(NVKSWON::GetSketchLines(pSketch, lines), 1);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0].from, ON_3dPoint(0.1, 0.2, 0.3));
    EXPECT_EQ(lines[0].to, ON_3dPoint(1e-300, -4, 5));
    EXPECT_EQ(lines[1].from, ON_3dPoint(7, 8, 9));
    EXPECT_EQ(lines[1].to, ON_3dPoint(7, 8, 9));
    EXPECT_THAT(
        host.Journal(),
        ElementsAre("sketch1.GetLineCount() -> S_OK, 2",
                    "sketch1.GetLines() -> S_OK, [99, 99, 99, 99, 99, 99, 0.1, 0.2, 0.3, 1e-300, -4, 5, "
                    "99, 99, 99, 99, 99, 99, 7, 8, 9, 7, 8, 9]"));

    // No lines, or lines that cannot be read: nothing, and what the array held is gone.
    FailNext("GetLines");
    EXPECT_EQ(NVKSWON::GetSketchLines(pSketch, lines), 0);
    EXPECT_EQ(lines.Count(), 0);
    lines.Append(ON_Line());
    sketch.lineRecords.clear();
    EXPECT_EQ(NVKSWON::GetSketchLines(pSketch, lines), 0);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(host.CallCount("GetLines"), 2) << "no read without lines";
}

TEST_F(CurvesFromSketch, ArcsTurnAboutTheirNormalFromStartToEnd)
{
    struct Case
    {
        const char* what;
        ON_3dPoint start, end, centre;
        double direction;
        // What the arc must be: its normal, sweep, radius, and the point halfway along it.
        ON_3dVector normal;
        double sweep, radius;
        ON_3dPoint middle;
    };
    const double pi = ON_PI, r = std::sqrt(0.5);
    const ON_3dPoint c(2, 3, 0.5);
    const ON_3dVector up(0, 0, 1), down(0, 0, -1);
    const Case cases[] = {
        {"quarter", c + ON_3dVector(1, 0, 0), c + ON_3dVector(0, 1, 0), c, 1.0, up, pi / 2, 1,
         c + ON_3dVector(r, r, 0)},
        {"direction other than -1", c + ON_3dVector(1, 0, 0), c + ON_3dVector(0, 1, 0), c, -0.5, up, pi / 2,
         1, c + ON_3dVector(r, r, 0)},
        {"quarter the other way round is three quarters", c + ON_3dVector(1, 0, 0), c + ON_3dVector(0, 1, 0),
         c, -1.0, down, 3 * pi / 2, 1, c + ON_3dVector(-r, -r, 0)},
        {"three quarters", c + ON_3dVector(2, 0, 0), c + ON_3dVector(0, -2, 0), c, 1.0, up, 3 * pi / 2, 2,
         c + ON_3dVector(-2 * r, 2 * r, 0)},
        {"quarter clockwise", c + ON_3dVector(0, -3, 0), c + ON_3dVector(-3, 0, 0), c, -1.0, down, pi / 2, 3,
         c + ON_3dVector(-3 * r, -3 * r, 0)},
        {"half counter-clockwise", c + ON_3dVector(1, 0, 0), c + ON_3dVector(-1, 0, 0), c, 1.0, up, pi, 1,
         c + ON_3dVector(0, 1, 0)},
        {"half clockwise", c + ON_3dVector(1, 0, 0), c + ON_3dVector(-1, 0, 0), c, -1.0, down, pi, 1,
         c + ON_3dVector(0, -1, 0)},
        // The end a hair above the line through the start: still the upper half.
        {"half with rounding noise", {1, 0, 0}, {-1, 1e-17, 0}, {0, 0, 0}, 1.0, up, pi, 1, {0, 1, 0}},
        // The radius is that of the start; the end only says where the arc stops.
        {"end off the circle", c + ON_3dVector(1, 0, 0), c + ON_3dVector(0, 5, 0), c, 1.0, up, pi / 2, 1,
         c + ON_3dVector(r, r, 0)},
    };
    for (const Case& k : cases)
    {
        SCOPED_TRACE(k.what);
        sketch.arcRecords = ArcRecord(k.start, k.end, k.centre, k.direction);
        ON_ClassArray<ON_Arc> arcs;
        ASSERT_EQ(NVKSWON::GetSketchArcs(pSketch, arcs), 1);
        ASSERT_EQ(arcs.Count(), 1);
        const ON_Arc& arc = arcs[0];
        EXPECT_TRUE(arc.IsValid());
        EXPECT_EQ(arc.Normal(), k.normal);
        EXPECT_EQ(arc.Center(), k.centre);
        EXPECT_EQ(arc.Radius(), k.radius);
        EXPECT_NEAR(arc.AngleRadians(), k.sweep, 1e-15);
        EXPECT_THAT(arc.StartPoint(), NearPoint(k.start, 1e-15));
        EXPECT_THAT(arc.PointAt(arc.m_angle.Mid()), NearPoint(k.middle, 1e-15));
    }
}

TEST_F(CurvesFromSketch, StartAndEndWithinATenthOfAMillimetreMakeACircle)
{
    struct Case
    {
        const char* what;
        ON_3dPoint start, end;
        bool circle;
    };
    const ON_3dPoint centre(1, 1, 0);
    const Case cases[] = {
        {"ends together", {4, 5, 0}, {4, 5, 0}, true},
        {"1e-4 apart", {4, 5, 0}, {4, 5, 1e-4}, true},
        {"just over 1e-4 apart", {4, 5, 0}, {4, 5, std::nextafter(1e-4, 1.0)}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        // The direction is not read for a circle.
        sketch.arcRecords = ArcRecord(c.start, c.end, centre, -1.0);
        ON_ClassArray<ON_Arc> arcs;
        ASSERT_EQ(NVKSWON::GetSketchArcs(pSketch, arcs), 1);
        ASSERT_EQ(arcs.Count(), 1);
        EXPECT_EQ(arcs[0].IsCircle(), c.circle);
        if (c.circle)
        {
            // Parallel to world XY through the centre, starting in +X whatever the start point.
            EXPECT_EQ(arcs[0].m_angle, ON_Interval(0, 2 * ON_PI));
            EXPECT_EQ(arcs[0].plane.xaxis, ON_3dVector(1, 0, 0));
            EXPECT_EQ(arcs[0].Normal(), ON_3dVector(0, 0, 1));
            EXPECT_EQ(arcs[0].Radius(), 5.0);
            EXPECT_EQ(arcs[0].StartPoint(), ON_3dPoint(6, 1, 0));
        }
    }
}

TEST_F(CurvesFromSketch, ArcsAreAppendedToWhatTheArrayHolds)
{
    ON_ClassArray<ON_Arc> arcs;
    arcs.Append(ON_Arc());
    EXPECT_EQ(NVKSWON::GetSketchArcs(pSketch, arcs), 0) << "no arcs";
    FailNext("GetArcs");
    sketch.arcRecords = ArcRecord({1, 0, 0}, {0, 1, 0}, {0, 0, 0}, 1.0);
    EXPECT_EQ(NVKSWON::GetSketchArcs(pSketch, arcs), 0) << "unreadable arcs";
    EXPECT_EQ(arcs.Count(), 1);
    sketch.arcRecords = Joined({sketch.arcRecords, ArcRecord({0, 2, 0}, {0, 2, 0}, {0, 0, 0}, 1.0)});
    EXPECT_EQ(NVKSWON::GetSketchArcs(pSketch, arcs), 1);
    ASSERT_EQ(arcs.Count(), 3);
    EXPECT_EQ(arcs[1].Radius(), 1.0);
    EXPECT_EQ(arcs[2].Radius(), 2.0);
    EXPECT_THAT(host.Journal(),
                ElementsAre("sketch1.GetArcCount() -> S_OK, 0", "sketch1.GetArcCount() -> S_OK, 1",
                            testing::StartsWith("sketch1.GetArcs() -> E_FAIL"),
                            "sketch1.GetArcCount() -> S_OK, 2",
                            testing::StartsWith("sketch1.GetArcs() -> S_OK, [99, ")));
}

TEST_F(CurvesFromSketch, PolylineRecordsAreWalkedByTheirCounts)
{
    const Points first = {{0, 0, 0}, {1, 0.5, 0}}, third = {{1, 2, 3}, {4, 5, 6}, {7, 8, 0.1}};
    sketch.polylineData = Joined({PolylineRecord(2, first), PolylineRecord(0, {}), PolylineRecord(1, third)});
    sketch.polylineCount = 3;
    ON_ClassArray<ON_Polyline> polylines;
    ASSERT_EQ(NVKSWON::GetSketchPolylines(pSketch, polylines), 1);
    ASSERT_EQ(polylines.Count(), 3);
    EXPECT_EQ(PointsOf(polylines[0]), first);
    EXPECT_EQ(polylines[1].PointCount(), 0);
    EXPECT_EQ(PointsOf(polylines[2]), third);
    EXPECT_THAT(host.Journal(),
                ElementsAre("sketch1.GetPolylineDataSize() -> S_OK, 45, 3",
                            testing::StartsWith("sketch1.GetPolylines() -> S_OK, [99, 2, 99, ")));

    // Fewer records reported than the data holds: only those are read.
    sketch.polylineCount = 1;
    ASSERT_EQ(NVKSWON::GetSketchPolylines(pSketch, polylines), 1);
    EXPECT_EQ(polylines.Count(), 1);

    // A failing read, no data and no records: nothing, and the array is emptied.
    FailNext("GetPolylines");
    EXPECT_EQ(NVKSWON::GetSketchPolylines(pSketch, polylines), 0);
    EXPECT_EQ(polylines.Count(), 0);
    sketch.polylineCount = 0;
    polylines.Append(ON_Polyline());
    EXPECT_EQ(NVKSWON::GetSketchPolylines(pSketch, polylines), 0);
    EXPECT_EQ(polylines.Count(), 0);
    sketch.polylineCount = 2;
    sketch.polylineData.clear();
    EXPECT_EQ(NVKSWON::GetSketchPolylines(pSketch, polylines), 0);
    EXPECT_EQ(host.CallCount("GetPolylines"), 3) << "no read without data";
}

TEST_F(CurvesFromSketch, SplineRecordsBecomeClampedQuadratics)
{
    const Points three = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}},
                 five = {{0, 0, 1}, {1, 2, 1}, {2, 0, 1}, {3, 2, 1}, {4, 0, 1}};
    sketch.splineData = Joined(
        {SplineRecord(five), SplineRecord({{9, 9, 9}, {8, 8, 8}}), SplineRecord({}), SplineRecord(three)});
    sketch.splineCount = 4;
    ON_ClassArray<ON_NurbsCurve> splines;
    splines.Append(ON_NurbsCurve());
    ASSERT_EQ(NVKSWON::GetSketchSplines(pSketch, splines), 1);
    // Records of two points and of none give no curve.
    ASSERT_EQ(splines.Count(), 2);
    EXPECT_EQ(splines[0].Order(), 3);
    EXPECT_FALSE(splines[0].IsRational());
    EXPECT_EQ(ControlPointsOf(splines[0]), five);
    EXPECT_THAT(KnotsOf(splines[0]), ElementsAre(0, 0, 1, 2, 3, 3));
    EXPECT_EQ(ControlPointsOf(splines[1]), three);
    EXPECT_THAT(KnotsOf(splines[1]), ElementsAre(0, 0, 1, 1));
    EXPECT_EQ(splines[1].PointAtStart(), three.front());
    EXPECT_EQ(splines[1].PointAtEnd(), three.back());

    FailNext("GetSplines");
    EXPECT_EQ(NVKSWON::GetSketchSplines(pSketch, splines), 0);
    EXPECT_EQ(splines.Count(), 0);
    sketch.splineCount = 0;
    EXPECT_EQ(NVKSWON::GetSketchSplines(pSketch, splines), 0);
    EXPECT_EQ(host.CallCount("GetSplines"), 2) << "no read without records";
}

TEST_F(CurvesFromSketch, MalformedRecordsEndTheWalkInsideTheData)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Points two = {{1, 2, 3}, {4, 5, 6}}, three = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
    // A good record, then one whose counts the walk must not trust.
    const Values goodPolyline = PolylineRecord(0, two), goodSpline = SplineRecord(three);
    struct Case
    {
        const char* what;
        Values polylineTail, splineTail;
        int polylines, splines; // records read before the walk ends
    };
    const Case cases[] = {
        {"negative k, negative point count", {kHost, -3, kHost}, {0, 0, 0, 0, 0, 0, -1, 7, 7, 7}, 1, 1},
        {"point count runs past the size",
         {kHost, 0, 0, 0, 0, 0, 0, 0, 2, 1, 2, 3, 4, 5},
         {0, 0, 0, 0, 0, 0, 3, 1, 2, 3, 4, 5, 6, 7, 8},
         1,
         1},
        {"k runs past the size", {kHost, 40, 0, 0}, {}, 1, 1},
        {"count not a number", {kHost, nan, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, nan, 1, 2, 3}, 1, 1},
        {"huge count", {kHost, 1e300, 0, 0}, {0, 0, 0, 0, 0, 0, 1e300, 1, 2, 3}, 1, 1},
        {"record cut short", {kHost}, {0, 0, 0, 0, 0}, 1, 1},
        // Counts are truncated toward zero: -0.5 is a count of 0, 1.9 one of 1.
        {"fractions truncated",
         {kHost, -0.5, 0, 0, 0, 0, 0, 0, 1.9, 1, 2, 3},
         {0, 0, 0, 0, 0, 0, 3.7, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         2,
         2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        sketch.polylineData = Joined({goodPolyline, c.polylineTail});
        sketch.splineData = Joined({goodSpline, c.splineTail});
        // One more record reported than there is.
        sketch.polylineCount = sketch.splineCount = 3;
        ON_ClassArray<ON_Polyline> polylines;
        ON_ClassArray<ON_NurbsCurve> splines;
        EXPECT_EQ(NVKSWON::GetSketchPolylines(pSketch, polylines), 1);
        EXPECT_EQ(NVKSWON::GetSketchSplines(pSketch, splines), 1);
        ASSERT_EQ(polylines.Count(), c.polylines);
        ASSERT_EQ(splines.Count(), c.splines);
        EXPECT_EQ(PointsOf(polylines[0]), two);
        EXPECT_EQ(ControlPointsOf(splines[0]), three);
        if (c.polylines == 2)
        {
            EXPECT_EQ(PointsOf(polylines[1]), Points({{1, 2, 3}}));
            EXPECT_EQ(ControlPointsOf(splines[1]), Points({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
        }
    }
}

TEST_F(CurvesFromSketch, CurvesOfEveryKindReplaceWhatTheArrayHeld)
{
    sketch.lineRecords = Joined({LineRecord({0, 0, 0}, {1, 0, 0}), LineRecord({0, 0, 0}, {0, 1, 0})});
    sketch.polylineData = Joined({PolylineRecord(0, {}), PolylineRecord(3, {{0, 0, 0}, {1, 1, 1}})});
    sketch.polylineCount = 2;
    sketch.splineData = SplineRecord({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}});
    sketch.splineCount = 1;
    sketch.arcRecords = ArcRecord({1, 0, 0}, {0, 1, 0}, {0, 0, 0}, 1.0);

    ON_CurveArray curves;
    curves.Append(new ON_LineCurve(ON_Line({5, 5, 5}, {6, 6, 6})));
    curves.Append(new ON_NurbsCurve());
    ASSERT_EQ(NVKSWON::GetSketchCurves(pSketch, curves), 1);
    ASSERT_EQ(curves.Count(), 6);
    const ON_LineCurve* line = ON_LineCurve::Cast(curves[1]);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->m_line.to, ON_3dPoint(0, 1, 0));
    EXPECT_NE(ON_LineCurve::Cast(curves[0]), nullptr);
    const ON_PolylineCurve* empty = ON_PolylineCurve::Cast(curves[2]);
    ASSERT_NE(empty, nullptr) << "a polyline without points is still wrapped";
    EXPECT_EQ(empty->PointCount(), 0);
    ASSERT_NE(ON_PolylineCurve::Cast(curves[3]), nullptr);
    EXPECT_EQ(ON_PolylineCurve::Cast(curves[3])->PointCount(), 2);
    const ON_NurbsCurve* spline = ON_NurbsCurve::Cast(curves[4]);
    ASSERT_NE(spline, nullptr);
    EXPECT_EQ(spline->CVCount(), 3);
    const ON_ArcCurve* arc = ON_ArcCurve::Cast(curves[5]);
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->m_arc.AngleRadians(), ON_PI / 2);
    EXPECT_THAT(CallsOf(host.Journal()),
                ElementsAre("sketch1.GetLineCount", "sketch1.GetLines", "sketch1.GetPolylineDataSize",
                            "sketch1.GetPolylines", "sketch1.GetSplineDataSize", "sketch1.GetSplines",
                            "sketch1.GetArcCount", "sketch1.GetArcs"));

    // Polylines that cannot be read leave the other kinds to come.
    FailNext("GetPolylines");
    ASSERT_EQ(NVKSWON::GetSketchCurves(pSketch, curves), 1);
    ASSERT_EQ(curves.Count(), 4);
    EXPECT_NE(ON_NurbsCurve::Cast(curves[2]), nullptr);
    EXPECT_NE(ON_ArcCurve::Cast(curves[3]), nullptr);

    // An empty sketch leaves an empty array.
    sim::Sketch nothing;
    ISketch* pEmpty = sim::SketchInterface(host, nothing);
    EXPECT_EQ(NVKSWON::GetSketchCurves(pEmpty, curves), 1);
    EXPECT_EQ(curves.Count(), 0);
    pEmpty->Release();
}
