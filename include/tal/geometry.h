/// \file
/// Planes, rays, lines and clipping for layers in 2D and 3D space. A plane is (a, b, c, d): the
/// points p with a*p.x + b*p.y + c*p.z + d = 0. Eye space looks down +z; the near plane is z = 0.1.
/// Every output is written after all inputs are read, so an output may be one of the inputs. Every
/// Tal_Err result is 0 except a rejected hit of Tal_RayIntersectPlane.
#pragma once

#include "tal/error.h"
#include "tal/vector.h"

struct Tal_FloatRect;

/// The eye-space near plane: a point with z < Tal_NearPlaneZ is behind the eye.
constexpr double Tal_NearPlaneZ = 0.1;

/// Plane of the closed polygon points[0..n) by Newell's sums through its centroid; a normal
/// shorter than 1e-12 is kept unnormalized; n = 0 gives the zero normal with a NaN d.
TAL_C_API Tal_Err Tal_GetPlaneEquation(const double points[][3], long n, double plane[4]);

/// Plane through point with normal (a, b, c) = normal taken as given (not normalized).
TAL_C_API Tal_Err Tal_GetPlaneEquation2(const double point[3], const double normal[3],
                                        double plane[4]);

/// Meets ray (origin x,y,z,w then direction x,y,z,w; the w's unread) with plane. hit is always
/// written: the origin when |denominator| < 1e-12 (parallel), else origin + t*dir even when behind.
/// behind (optional) = t < 0. A hit is accepted unless forwardOnly and t <= 0 or parallel; with
/// hitOk given it receives that and 0 is returned, else a rejected hit reports site 0x2F and
/// returns Tal_Err_CANT_INTERSECT_PLANE.
TAL_C_API Tal_Err Tal_RayIntersectPlane(const double plane[4], unsigned char forwardOnly,
                                        const double ray[8], double hit[3], unsigned char* behind,
                                        unsigned char* hitOk);

/// *edgeOn = 1 when quad, transformed by m (with the homogeneous divide), has a normal at a cosine
/// strictly within +-tolerance of the view direction: +z for parallelView, else the ray from the
/// eye to the quad's centre. A degenerate normal or view direction leaves 0.
TAL_C_API Tal_Err Tal_IsQuadEdgeOn(const double m[16], const double quad[4][3], double tolerance,
                                   unsigned char parallelView, unsigned char* edgeOn);

/// *distance = distance from point to the infinite line through lineStart and lineEnd; within
/// (optional) = 1 when the projection is >= 0 and |lineEnd - lineStart| >= |point - lineStart|.
/// A line shorter than 1e-12 or longer than 1e12 gives the distance to lineStart, within 0.
TAL_C_API Tal_Err Tal_PerpDistTo2DLine(const Tal_Vector2T<double>* point,
                                       const Tal_Vector2T<double>* lineStart,
                                       const Tal_Vector2T<double>* lineEnd, unsigned char* within,
                                       double* distance);

/// Clips the eye-space segment a-b at z = 0.1: flags the end that is behind (both when both are)
/// and, when exactly one is, writes the crossing point to clipped; otherwise clipped = (0, 0, 0).
TAL_C_API Tal_Err Tal_Clip3DLine(const double a[3], const double b[3], unsigned char* aBehind,
                                 unsigned char* bBehind, double clipped[3]);

/// Clips p0-p1 in place to the closed rect (boundary inside); *visible = 0 when no part of it is
/// left, in which case p0 and p1 hold the ends as far as clipping took them (unchanged when the
/// segment's box does not touch the rect).
TAL_C_API Tal_Err Tal_ClipLine2Rect(const Tal_FloatRect* rect, Tal_Vector2T<double>* p0,
                                    Tal_Vector2T<double>* p1, unsigned char* visible);
