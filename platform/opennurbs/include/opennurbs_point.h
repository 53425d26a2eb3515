#pragma once

// Points and vectors: plain public coordinates, single precision for mesh data, double precision
// for everything else. Double to float is a plain cast; float to double is exact.

class ON_3dVector;
class ON_3fVector;

class ON_2fPoint
{
public:
    float x = 0.0f;
    float y = 0.0f;

    ON_2fPoint() = default;
    ON_2fPoint(float x_, float y_) : x(x_), y(y_) {}
    bool operator==(const ON_2fPoint& p) const { return x == p.x && y == p.y; }
    bool operator!=(const ON_2fPoint& p) const { return !(*this == p); }
};

class ON_2dPoint
{
public:
    double x = 0.0;
    double y = 0.0;

    ON_2dPoint() = default;
    ON_2dPoint(double x_, double y_) : x(x_), y(y_) {}
    bool operator==(const ON_2dPoint& p) const { return x == p.x && y == p.y; }
    bool operator!=(const ON_2dPoint& p) const { return !(*this == p); }
};

class ON_3fPoint
{
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    ON_3fPoint() = default;
    ON_3fPoint(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    explicit ON_3fPoint(const class ON_3dPoint& p);

    float operator[](int i) const { return i <= 0 ? x : (i == 1 ? y : z); }
    bool operator==(const ON_3fPoint& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const ON_3fPoint& p) const { return !(*this == p); }
    ON_3fVector operator-(const ON_3fPoint& p) const;
    ON_3fPoint operator+(const ON_3fVector& v) const;

    // Distance in double precision, as ON_3dPoint::DistanceTo.
    double DistanceTo(const ON_3fPoint& p) const;
};

class ON_3fVector
{
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    ON_3fVector() = default;
    ON_3fVector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    explicit ON_3fVector(const ON_3dVector& v);

    float operator[](int i) const { return i <= 0 ? x : (i == 1 ? y : z); }
    bool operator==(const ON_3fVector& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const ON_3fVector& v) const { return !(*this == v); }
    ON_3fVector operator-() const { return ON_3fVector(-x, -y, -z); }
    ON_3fVector operator+(const ON_3fVector& v) const { return ON_3fVector(x + v.x, y + v.y, z + v.z); }
    ON_3fVector operator*(float s) const { return ON_3fVector(x * s, y * s, z * s); }

    double Length() const;
    double LengthSquared() const { return double(x) * x + double(y) * y + double(z) * z; }
    // Computed in double precision, then stored as floats.
    bool Unitize();
};

class ON_3dPoint
{
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    ON_3dPoint() = default;
    ON_3dPoint(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    ON_3dPoint(const ON_3fPoint& p) : x(p.x), y(p.y), z(p.z) {}
    explicit ON_3dPoint(const ON_3dVector& v);

    double operator[](int i) const { return i <= 0 ? x : (i == 1 ? y : z); }
    double& operator[](int i) { return i <= 0 ? x : (i == 1 ? y : z); }
    bool operator==(const ON_3dPoint& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const ON_3dPoint& p) const { return !(*this == p); }

    ON_3dVector operator-(const ON_3dPoint& p) const;
    ON_3dPoint operator+(const ON_3dVector& v) const;
    ON_3dPoint operator-(const ON_3dVector& v) const;
    ON_3dPoint operator+(const ON_3dPoint& p) const { return ON_3dPoint(x + p.x, y + p.y, z + p.z); }
    ON_3dPoint operator*(double s) const { return ON_3dPoint(x * s, y * s, z * s); }
    ON_3dPoint operator/(double s) const { return ON_3dPoint(x / s, y / s, z / s); }
    ON_3dPoint& operator+=(const ON_3dVector& v);
    ON_3dPoint& operator-=(const ON_3dVector& v);

    // Length(p - *this), with the overflow-safe length below.
    double DistanceTo(const ON_3dPoint& p) const;
};

class ON_3dVector
{
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    ON_3dVector() = default;
    ON_3dVector(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    ON_3dVector(const ON_3fVector& v) : x(v.x), y(v.y), z(v.z) {}
    explicit ON_3dVector(const ON_3dPoint& p) : x(p.x), y(p.y), z(p.z) {}

    double operator[](int i) const { return i <= 0 ? x : (i == 1 ? y : z); }
    double& operator[](int i) { return i <= 0 ? x : (i == 1 ? y : z); }
    bool operator==(const ON_3dVector& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const ON_3dVector& v) const { return !(*this == v); }

    ON_3dVector operator-() const { return ON_3dVector(-x, -y, -z); }
    ON_3dVector operator+(const ON_3dVector& v) const { return ON_3dVector(x + v.x, y + v.y, z + v.z); }
    ON_3dVector operator-(const ON_3dVector& v) const { return ON_3dVector(x - v.x, y - v.y, z - v.z); }
    ON_3dVector operator*(double s) const { return ON_3dVector(x * s, y * s, z * s); }
    ON_3dVector operator/(double s) const { return ON_3dVector(x / s, y / s, z / s); }
    // The dot product.
    double operator*(const ON_3dVector& v) const { return x * v.x + y * v.y + z * v.z; }
    ON_3dVector& operator+=(const ON_3dVector& v);
    ON_3dVector& operator*=(double s);

    bool IsZero() const { return x == 0.0 && y == 0.0 && z == 0.0; }

    // Largest component times sqrt(1 + the squared ratios of the other two): no overflow for
    // huge components, and bit-for-bit what the toolkit gives (not sqrt(x*x + y*y + z*z)).
    double Length() const;
    double LengthSquared() const { return x * x + y * y + z * z; }

    // Scales to unit length by multiplying with 1/Length(). Denormal vectors are scaled up first.
    // Returns false, leaving a zero vector zero, when there is no direction.
    bool Unitize();

    // Sets *this to a vector perpendicular to v: v's two largest components swapped, one negated,
    // the third zero. Returns false when v is zero.
    bool PerpendicularTo(const ON_3dVector& v);

    // Sets *this to the unit normal of the triangle P0, P1, P2, pointing along (P1-P0)x(P2-P0).
    // Of the three corner cross products it keeps the one with the smallest error. Returns false,
    // with *this zero, when the points do not span a plane.
    bool PerpendicularTo(const ON_3dPoint& P0, const ON_3dPoint& P1, const ON_3dPoint& P2);

    // Rotation about an axis through the origin, with the transform's clean-up of sin and cos.
    void Rotate(double angle, const ON_3dVector& axis);
};

class ON_4dPoint
{
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;

    ON_4dPoint() = default;
    ON_4dPoint(double x_, double y_, double z_, double w_) : x(x_), y(y_), z(z_), w(w_) {}
};

ON_3dVector operator*(double s, const ON_3dVector& v);
ON_3dPoint operator*(double s, const ON_3dPoint& p);

ON_3dVector ON_CrossProduct(const ON_3dVector& a, const ON_3dVector& b);
double ON_DotProduct(const ON_3dVector& a, const ON_3dVector& b);

extern const ON_3dPoint ON_origin;
// All coordinates ON_UNSET_VALUE: what evaluations give when they cannot.
extern const ON_3dPoint ON_UNSET_POINT;
extern const ON_3dVector ON_xaxis;
extern const ON_3dVector ON_yaxis;
extern const ON_3dVector ON_zaxis;
