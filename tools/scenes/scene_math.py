"""Vectors, camera quaternions and smooth curves for laying out camera paths."""
import math


def add(a, b):
    return (a[0] + b[0], a[1] + b[1], a[2] + b[2])


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def scale(a, s):
    return (a[0] * s, a[1] * s, a[2] * s)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def length(a):
    return math.sqrt(dot(a, a))


def normalize(a):
    n = length(a)
    return scale(a, 1.0 / n)


def lerp(a, b, u):
    return add(a, scale(sub(b, a), u))


def turn_about_y(v, degrees):
    """Turns v about +y by minus the angle, as the engine moves orbiting
    bodies: (x, 0, 0) goes to (x cos a, 0, x sin a)."""
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return (v[0] * c - v[2] * s, v[1], v[0] * s + v[2] * c)


def camera_quaternion(look, up_hint):
    """The quaternion (x, y, z, w) that turns +X to the look direction and +Z
    to the up direction (up_hint made perpendicular to look)."""
    x_axis = normalize(look)
    z_axis = normalize(sub(up_hint, scale(x_axis, dot(up_hint, x_axis))))
    y_axis = cross(z_axis, x_axis)
    # Rotation matrix with the three axes as columns.
    m = [[x_axis[0], y_axis[0], z_axis[0]],
         [x_axis[1], y_axis[1], z_axis[1]],
         [x_axis[2], y_axis[2], z_axis[2]]]
    trace = m[0][0] + m[1][1] + m[2][2]
    if trace > 0:
        s = math.sqrt(trace + 1.0) * 2
        q = ((m[2][1] - m[1][2]) / s, (m[0][2] - m[2][0]) / s, (m[1][0] - m[0][1]) / s, 0.25 * s)
    elif m[0][0] > m[1][1] and m[0][0] > m[2][2]:
        s = math.sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]) * 2
        q = (0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s, (m[2][1] - m[1][2]) / s)
    elif m[1][1] > m[2][2]:
        s = math.sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]) * 2
        q = ((m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s, (m[0][2] - m[2][0]) / s)
    else:
        s = math.sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]) * 2
        q = ((m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s, (m[1][0] - m[0][1]) / s)
    return q


def quaternion_axes(q):
    """The images of +X (look) and +Z (up) under q, as the camera reads them."""
    x, y, z, w = q
    look = (1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w))
    up = (2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y))
    return look, up


def smoothstep(u):
    u = min(1.0, max(0.0, u))
    return u * u * (3 - 2 * u)


class Curve:
    """A value through control points (time, value) that passes every point
    with a smooth, overshoot-free slope (monotone cubic Hermite); flat at
    the ends unless end_slopes says otherwise."""

    def __init__(self, points, flat_ends=True):
        self.times = [p[0] for p in points]
        self.values = [float(p[1]) for p in points]
        n = len(points)
        secants = [(self.values[i + 1] - self.values[i]) / (self.times[i + 1] - self.times[i])
                   for i in range(n - 1)]
        slopes = [0.0] * n
        for i in range(1, n - 1):
            if secants[i - 1] * secants[i] > 0:
                # Weighted harmonic mean of the secants (Fritsch-Butland): no overshoot.
                h0 = self.times[i] - self.times[i - 1]
                h1 = self.times[i + 1] - self.times[i]
                slopes[i] = 3 * (h0 + h1) / ((2 * h1 + h0) / secants[i - 1] + (h1 + 2 * h0) / secants[i])
        if not flat_ends and n > 1:
            slopes[0], slopes[-1] = secants[0], secants[-1]
        self.slopes = slopes

    def __call__(self, t):
        times, values, slopes = self.times, self.values, self.slopes
        if len(times) == 1 or t <= times[0]:
            return values[0]
        if t >= times[-1]:
            return values[-1]
        i = max(k for k in range(len(times) - 1) if times[k] <= t)
        h = times[i + 1] - times[i]
        u = (t - times[i]) / h
        h00 = 2 * u ** 3 - 3 * u ** 2 + 1
        h10 = u ** 3 - 2 * u ** 2 + u
        h01 = -2 * u ** 3 + 3 * u ** 2
        h11 = u ** 3 - u ** 2
        return h00 * values[i] + h10 * h * slopes[i] + h01 * values[i + 1] + h11 * h * slopes[i + 1]


class LogCurve(Curve):
    """A Curve of positive values interpolated on their logarithm, so that a
    distance shrinks by equal ratios in equal times."""

    def __init__(self, points, flat_ends=True):
        super().__init__([(t, math.log(v)) for t, v in points], flat_ends)

    def __call__(self, t):
        return math.exp(super().__call__(t))
