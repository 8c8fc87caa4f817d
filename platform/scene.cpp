#include "platform/scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace torvex {

namespace {

constexpr Vec3 WorldUp{0, 1, 0};
// Keeps the orbit short of the poles, where the screen's right direction is undefined.
constexpr double MaxElevation = 89.99 * std::numbers::pi / 180;
// Diagonal of the 35 mm frame that FocalLength refers to.
constexpr double FrameDiagonal = 43.27;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

} // namespace

Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}

Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

Vec3 operator*(const Vec3& v, double factor) {
    return {v.X * factor, v.Y * factor, v.Z * factor};
}

double Dot(const Vec3& a, const Vec3& b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}

double Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

Vec3 Normalised(const Vec3& v) {
    double length = Length(v);
    if (length == 0)
        return v;
    return v * (1 / length);
}

double Camera::FieldOfView() const {
    if (FocalLength <= 0)
        return 90;
    return 2 * std::atan(FrameDiagonal / 2 / FocalLength) * 180 / std::numbers::pi;
}

void Camera::AdjustDistanceToTarget(double factor) {
    Offset = Offset * factor;
}

void Camera::MoveAroundTarget(double pitchDegrees, double turnDegrees) {
    double distance = DistanceToTarget();
    if (distance == 0)
        return;
    double azimuth = std::atan2(Offset.X, Offset.Z) + Radians(turnDegrees);
    double elevation = std::asin(std::clamp(Offset.Y / distance, -1.0, 1.0));
    elevation = std::clamp(elevation - Radians(pitchDegrees), -MaxElevation, MaxElevation);
    double horizontal = distance * std::cos(elevation);
    Offset = {horizontal * std::sin(azimuth), distance * std::sin(elevation),
              horizontal * std::cos(azimuth)};
}

Vec3 Camera::ScreenRight() const {
    Vec3 right = Normalised(Cross(Offset * -1, WorldUp));
    if (Length(right) == 0)
        return {1, 0, 0};
    return right;
}

Vec3 Camera::ScreenUp() const {
    return Normalised(Cross(ScreenRight(), Offset * -1));
}

void Camera::Pan(double dx, double dy, double ratio) {
    Target = Target + (ScreenRight() * dx + ScreenUp() * dy) * ratio;
}

} // namespace torvex
