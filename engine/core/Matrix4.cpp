#include "engine/core/Matrix4.h"

#include "engine/core/MathConstants.h"

#include <cmath>

namespace OrvaneEngine
{

void Matrix4::Identity(Matrix4& out)
{
    for (float& element : out.m)
        element = 0.0f;
    out.m[0] = 1.0f;
    out.m[5] = 1.0f;
    out.m[10] = 1.0f;
    out.m[15] = 1.0f;
}

void Matrix4::Translation(Matrix4& out, const Vector3& v)
{
    Identity(out);
    out.m[3] = v.x;
    out.m[7] = v.y;
    out.m[11] = v.z;
}

void Matrix4::Scaling(Matrix4& out, const Vector3& v)
{
    for (float& element : out.m)
        element = 0.0f;
    out.m[0] = v.x;
    out.m[5] = v.y;
    out.m[10] = v.z;
    out.m[15] = 1.0f;
}

Matrix4 Matrix4::MakeScaling(const Vector3& v)
{
    Matrix4 result;
    Scaling(result, v);
    return result;
}

void Matrix4::RotationX(Matrix4& out, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Identity(out);
    out.m[5] = c;
    out.m[6] = -s;
    out.m[9] = s;
    out.m[10] = c;
}

void Matrix4::RotationY(Matrix4& out, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Identity(out);
    out.m[0] = c;
    out.m[2] = s;
    out.m[8] = -s;
    out.m[10] = c;
}

void Matrix4::RotationAxis(Matrix4& out, const Vector3& axis, float angle)
{
    Identity(out);
    Vector3 unit = axis;
    unit.SetLength(1.0f);
    const float x = unit.x;
    const float y = unit.y;
    const float z = unit.z;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;

    out.m[0] = t * x * x + c;
    out.m[1] = t * x * y - s * z;
    out.m[2] = t * x * z + s * y;
    out.m[4] = t * x * y + s * z;
    out.m[5] = t * y * y + c;
    out.m[6] = t * y * z - s * x;
    out.m[8] = t * x * z - s * y;
    out.m[9] = t * y * z + s * x;
    out.m[10] = t * z * z + c;
}

Matrix4 Matrix4::Multiply(const Matrix4& rhs) const
{
    // Written into a separate result, so the caller may assign it over either operand.
    const float* a = m;
    const float* b = rhs.m;
    Matrix4 r;
    r.m[0] = a[0] * b[0] + a[1] * b[4] + a[2] * b[8] + a[3] * b[12];
    r.m[1] = a[0] * b[1] + a[1] * b[5] + a[2] * b[9] + a[3] * b[13];
    r.m[2] = a[0] * b[2] + a[1] * b[6] + a[2] * b[10] + a[3] * b[14];
    r.m[3] = a[0] * b[3] + a[1] * b[7] + a[2] * b[11] + a[3] * b[15];
    r.m[4] = a[4] * b[0] + a[5] * b[4] + a[6] * b[8] + a[7] * b[12];
    r.m[5] = a[4] * b[1] + a[5] * b[5] + a[6] * b[9] + a[7] * b[13];
    r.m[6] = a[4] * b[2] + a[5] * b[6] + a[6] * b[10] + a[7] * b[14];
    r.m[7] = a[4] * b[3] + a[5] * b[7] + a[6] * b[11] + a[7] * b[15];
    r.m[8] = a[8] * b[0] + a[9] * b[4] + a[10] * b[8] + a[11] * b[12];
    r.m[9] = a[8] * b[1] + a[9] * b[5] + a[10] * b[9] + a[11] * b[13];
    r.m[10] = a[8] * b[2] + a[9] * b[6] + a[10] * b[10] + a[11] * b[14];
    r.m[11] = a[8] * b[3] + a[9] * b[7] + a[10] * b[11] + a[11] * b[15];
    r.m[12] = a[12] * b[0] + a[13] * b[4] + a[14] * b[8] + a[15] * b[12];
    r.m[13] = a[12] * b[1] + a[13] * b[5] + a[14] * b[9] + a[15] * b[13];
    r.m[14] = a[12] * b[2] + a[13] * b[6] + a[14] * b[10] + a[15] * b[14];
    r.m[15] = a[12] * b[3] + a[13] * b[7] + a[14] * b[11] + a[15] * b[15];
    return r;
}

void Matrix4::Translate(const Vector3& v)
{
    Matrix4 translation;
    Translation(translation, v);
    *this = Multiply(translation);
}

void Matrix4::Transpose()
{
    auto swap = [this](int a, int b) {
        const float keep = m[a];
        m[a] = m[b];
        m[b] = keep;
    };
    swap(1, 4);
    swap(2, 8);
    swap(3, 12);
    swap(6, 9);
    swap(7, 13);
    swap(11, 14);
}

void Matrix4::Invert()
{
    // Cramer's rule: the adjugate from products of 2 x 2 minors, in float so
    // that results agree with the tolerance the callers compare with.
    float src[16];
    for (int i = 0; i < 4; ++i)
    {
        src[i] = m[i * 4];
        src[i + 4] = m[i * 4 + 1];
        src[i + 8] = m[i * 4 + 2];
        src[i + 12] = m[i * 4 + 3];
    }

    float p[12];
    float dst[16];

    // Pairs of the last two rows of src give the first eight cofactors.
    p[0] = src[10] * src[15];
    p[1] = src[11] * src[14];
    p[2] = src[9] * src[15];
    p[3] = src[11] * src[13];
    p[4] = src[9] * src[14];
    p[5] = src[10] * src[13];
    p[6] = src[8] * src[15];
    p[7] = src[11] * src[12];
    p[8] = src[8] * src[14];
    p[9] = src[10] * src[12];
    p[10] = src[8] * src[13];
    p[11] = src[9] * src[12];

    dst[0] = (p[0] * src[5] + p[3] * src[6] + p[4] * src[7]) - (p[1] * src[5] + p[2] * src[6] + p[5] * src[7]);
    dst[1] = (p[1] * src[4] + p[6] * src[6] + p[9] * src[7]) - (p[0] * src[4] + p[7] * src[6] + p[8] * src[7]);
    dst[2] = (p[2] * src[4] + p[7] * src[5] + p[10] * src[7]) - (p[3] * src[4] + p[6] * src[5] + p[11] * src[7]);
    dst[3] = (p[5] * src[4] + p[8] * src[5] + p[11] * src[6]) - (p[4] * src[4] + p[9] * src[5] + p[10] * src[6]);
    dst[4] = (p[1] * src[1] + p[2] * src[2] + p[5] * src[3]) - (p[0] * src[1] + p[3] * src[2] + p[4] * src[3]);
    dst[5] = (p[0] * src[0] + p[7] * src[2] + p[8] * src[3]) - (p[1] * src[0] + p[6] * src[2] + p[9] * src[3]);
    dst[6] = (p[3] * src[0] + p[6] * src[1] + p[11] * src[3]) - (p[2] * src[0] + p[7] * src[1] + p[10] * src[3]);
    dst[7] = (p[4] * src[0] + p[9] * src[1] + p[10] * src[2]) - (p[5] * src[0] + p[8] * src[1] + p[11] * src[2]);

    // Pairs of the first two rows give the last eight.
    p[0] = src[2] * src[7];
    p[1] = src[3] * src[6];
    p[2] = src[1] * src[7];
    p[3] = src[3] * src[5];
    p[4] = src[1] * src[6];
    p[5] = src[2] * src[5];
    p[6] = src[0] * src[7];
    p[7] = src[3] * src[4];
    p[8] = src[0] * src[6];
    p[9] = src[2] * src[4];
    p[10] = src[0] * src[5];
    p[11] = src[1] * src[4];

    dst[8] = (p[0] * src[13] + p[3] * src[14] + p[4] * src[15]) - (p[1] * src[13] + p[2] * src[14] + p[5] * src[15]);
    dst[9] = (p[1] * src[12] + p[6] * src[14] + p[9] * src[15]) - (p[0] * src[12] + p[7] * src[14] + p[8] * src[15]);
    dst[10] = (p[2] * src[12] + p[7] * src[13] + p[10] * src[15]) - (p[3] * src[12] + p[6] * src[13] + p[11] * src[15]);
    dst[11] = (p[5] * src[12] + p[8] * src[13] + p[11] * src[14]) - (p[4] * src[12] + p[9] * src[13] + p[10] * src[14]);
    dst[12] = (p[2] * src[10] + p[5] * src[11] + p[1] * src[9]) - (p[4] * src[11] + p[0] * src[9] + p[3] * src[10]);
    dst[13] = (p[8] * src[11] + p[0] * src[8] + p[7] * src[10]) - (p[6] * src[10] + p[9] * src[11] + p[1] * src[8]);
    dst[14] = (p[6] * src[9] + p[11] * src[11] + p[3] * src[8]) - (p[10] * src[11] + p[2] * src[8] + p[7] * src[9]);
    dst[15] = (p[10] * src[10] + p[4] * src[8] + p[9] * src[9]) - (p[8] * src[9] + p[11] * src[10] + p[5] * src[8]);

    const float determinant = src[0] * dst[0] + src[1] * dst[1] + src[2] * dst[2] + src[3] * dst[3];
    const float scale = 1.0f / determinant;
    for (int i = 0; i < 16; ++i)
        m[i] = dst[i] * scale;
}

Vector4 Matrix4::Transform(const Vector4& v) const
{
    return Vector4(m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3] * v.w,
                   m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7] * v.w,
                   m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11] * v.w,
                   m[12] * v.x + m[13] * v.y + m[14] * v.z + m[15] * v.w);
}

Vector3 Matrix4::TransformPoint(const Vector3& p) const
{
    return Vector3(m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3],
                   m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
                   m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]);
}

Ray Matrix4::TransformRay(const Ray& ray) const
{
    const Vector3 origin = TransformPoint(ray.origin);
    const Vector3 end = TransformPoint(ray.origin + ray.direction);
    return Ray(origin, end - origin);
}

bool Matrix4::operator==(const Matrix4& b) const
{
    for (int i = 0; i < 16; ++i)
    {
        if (std::fabs(m[i] - b.m[i]) > kMathTolerance)
            return false;
    }
    return true;
}

} // namespace OrvaneEngine
