"""Camera paths: functions of the scene time giving (eye, point looked at, up)."""
import math

from scene_math import (add, sub, scale, cross, length, normalize, lerp, Curve, LogCurve,
                        smoothstep)

UP = (0.0, 1.0, 0.0)


def curve(value, log=False):
    """A constant, a callable, or control points [(t, v), ...] as a callable."""
    if callable(value):
        return value
    if isinstance(value, (int, float)):
        return lambda t: float(value)
    return LogCurve(value) if log else Curve(value)


def sun_frame(world, point):
    """Horizontal unit vectors at a point: towards the world's sun, and to
    the right of that (seen from above, +y up)."""
    to_sun = sub(world.sun_position, point)
    flat = (to_sun[0], 0.0, to_sun[2])
    forward = normalize(flat) if length(flat) > 1e-6 else (0.0, 0.0, 1.0)
    return forward, cross(forward, UP)


def offset_from(world, centre, distance, azimuth, elevation):
    """The point at a distance from centre, at an azimuth measured from the
    sun's direction (0: between the body and the sun, 180: on its night side,
    90: to the right) and an elevation above the x-z plane."""
    forward, right = sun_frame(world, centre)
    az, el = math.radians(azimuth), math.radians(elevation)
    horizontal = add(scale(forward, math.cos(az)), scale(right, math.sin(az)))
    return add(centre, scale(add(scale(horizontal, math.cos(el)), scale(UP, math.sin(el))), distance))


def turned_look(eye, target, up, yaw, pitch):
    """A point to look at so that target appears yaw degrees left of the
    centre and pitch degrees below it."""
    d = normalize(sub(target, eye))
    right = normalize(cross(d, up))
    true_up = cross(right, d)
    a, b = math.radians(yaw), math.radians(pitch)
    turned = add(scale(d, math.cos(a)), scale(right, math.sin(a)))
    turned = normalize(add(scale(turned, math.cos(b)), scale(true_up, math.sin(b))))
    return add(eye, scale(turned, length(sub(target, eye))))


class Around:
    """The camera placed around a body (or a fixed point) by distance,
    azimuth and elevation curves, looking at it with an optional offset."""

    def __init__(self, world, centre, distance, azimuth, elevation, phases=None, yaw=0.0, pitch=0.0,
                 up=UP):
        self.world = world
        self.centre = centre
        self.phases = phases or {}
        self.distance = curve(distance, log=True)
        self.azimuth = curve(azimuth)
        self.elevation = curve(elevation)
        self.yaw = curve(yaw)
        self.pitch = curve(pitch)
        self.up = up

    def centre_at(self, t):
        if isinstance(self.centre, str):
            return self.world.position(self.centre, t, self.phases)
        return self.centre

    def __call__(self, t):
        c = self.centre_at(t)
        eye = offset_from(self.world, c, self.distance(t), self.azimuth(t), self.elevation(t))
        return eye, turned_look(eye, c, self.up, self.yaw(t), self.pitch(t)), self.up


class Blend:
    """Moves from one path to another: eye and up follow the weight curve
    from 0 (first path) to 1 (second path), the look direction follows
    look_weight (by default the same curve)."""

    def __init__(self, first, second, weight, look_weight=None):
        self.first, self.second = first, second
        self.weight = curve(weight)
        self.look_weight = curve(look_weight) if look_weight is not None else self.weight

    def __call__(self, t):
        e1, l1, u1 = self.first(t)
        e2, l2, u2 = self.second(t)
        w = self.weight(t)
        eye = lerp(e1, e2, w)
        d1, d2 = normalize(sub(l1, e1)), normalize(sub(l2, e2))
        look = normalize(lerp(d1, d2, self.look_weight(t)))
        return eye, add(eye, scale(look, 1000.0)), normalize(lerp(u1, u2, w))


def eased(t0, t1):
    """A weight from 0 before t0 to 1 after t1, easing in and out."""
    return lambda t: smoothstep((t - t0) / (t1 - t0))


class LookBlend:
    """The eye and up of one path, with the look turning from that path's
    own look towards another path's as the weight goes from 0 to 1."""

    def __init__(self, path, other, weight):
        self.path, self.other = path, other
        self.weight = curve(weight)

    def __call__(self, t):
        eye, l1, up = self.path(t)
        e2, l2, _ = self.other(t)
        d1, d2 = normalize(sub(l1, eye)), normalize(sub(l2, eye))
        look = normalize(lerp(d1, d2, self.weight(t)))
        return eye, add(eye, scale(look, 1000.0)), up


class Towards:
    """Looks from the eye of a path at a body or point (optionally turned)."""

    def __init__(self, path, world, target, phases=None, yaw=0.0, pitch=0.0):
        self.path, self.world, self.target = path, world, target
        self.phases = phases or {}
        self.yaw, self.pitch = curve(yaw), curve(pitch)

    def __call__(self, t):
        eye, _, up = self.path(t)
        point = self.world.position(self.target, t, self.phases) if isinstance(self.target, str) else self.target
        return eye, turned_look(eye, point, up, self.yaw(t), self.pitch(t)), up


class Glide:
    """The eye through control points [(t, (x, y, z)), ...], looking along
    its motion turned by yaw and pitch."""

    def __init__(self, points, yaw=0.0, pitch=0.0, up=UP):
        self.axes = [Curve([(t, p[i]) for t, p in points], flat_ends=False) for i in range(3)]
        self.yaw, self.pitch = curve(yaw), curve(pitch)
        self.up = up

    def eye(self, t):
        return tuple(axis(t) for axis in self.axes)

    def __call__(self, t):
        eye = self.eye(t)
        ahead = sub(self.eye(t + 0.5), self.eye(t - 0.5))
        target = add(eye, scale(normalize(ahead), 1000.0))
        return eye, turned_look(eye, target, self.up, self.yaw(t), self.pitch(t)), self.up
