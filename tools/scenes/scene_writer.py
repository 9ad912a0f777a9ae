"""One scene script: its lines, its camera keys sampled from a camera path,
and a check that the camera's real path (as the engine interpolates the keys)
keeps clear of every body of each world the scene may play in."""
import math
import os

from scene_math import sub, scale, dot, length, camera_quaternion, quaternion_axes

# Closest a camera may come to a surface: the near plane is 80 units away.
MIN_CLEARANCE = 150.0


# The layers of hud.txt that frame a destination: name, colour, full
# opacity, and the place of a layer that does not follow the body on the
# screen (None for one that does: its keys project it).
HUD_LAYERS = (("frame", "0.55 0.9 1", 0.85, None), ("bar", "0.5 0.85 1", 0.6, "60 70 680 2"))


class Scene:
    def __init__(self, entry, duration, worlds, step=2.0):
        """entry: the archive path with backslashes (scenes\\system\\sun0.txt);
        worlds: the names of the worlds in which the scene can play."""
        self.entry = entry
        self.duration = duration
        self.worlds = worlds
        self.step = step
        # The dust around the camera (500 soft quads 100 to 160 units away,
        # each 100 units across) adds up to a white haze over the whole
        # picture, in open space as in the belt: every scene turns it off.
        self.head = ["soff"]
        self.tail = []
        self.phases = {}
        self.camera = None

    def fades(self, fade_in=2.0, fade_out=2.0):
        if fade_in:
            self.head.append("fback 0 %g" % fade_in)
        if fade_out:
            self.head.append("fout %g %g" % (self.duration - fade_out, self.duration))

    def phase(self, name, degrees):
        self.head.append("phase %s %g" % (name, degrees))
        self.phases[name] = degrees

    def moon(self, name, degrees):
        self.head.append("moon %s %g" % (name, degrees))
        self.phases[name] = -degrees

    def orient(self, name):
        self.head.append("orient %s" % name)

    def target_frame(self, body, distance, appear, leave, fade=3.0):
        """The HUD frames the body (a square of half side distance around it)
        from appear to leave, fading in and out over fade seconds."""
        shown = [(appear, 0.0), (appear + fade, 1.0), (leave - fade, 1.0), (leave, 0.0)]
        for layer, colour, alpha, place in HUD_LAYERS:
            lines = ["hud %s" % layer, "parent %s" % body, "KEYFRAMES"]
            for t, weight in shown:
                lines += ["keyframe", "time %g" % round(t, 3)]
                lines.append("project %g" % round(distance, 1) if place is None else "quad (%s)" % place)
                lines += ["color (%s %g)" % (colour, round(alpha * weight, 3)), "end"]
            lines += ["ENDKEYS", "hend"]
            self.head += lines

    def world(self, name):
        self.tail.append("world %s" % name)

    def next(self, name):
        self.tail.append("next %s" % name)

    def key_times(self):
        count = max(1, int(round(self.duration / self.step)))
        return [self.duration * i / count for i in range(count + 1)]

    def keys(self):
        """(time, eye, quaternion) at every key time; consecutive quaternions
        stay in one hemisphere so that no slerp takes the long way."""
        keys = []
        previous = None
        for t in self.key_times():
            eye, target, up = self.camera(t)
            q = camera_quaternion(sub(target, eye), up)
            look, _ = quaternion_axes(q)
            assert dot(look, sub(target, eye)) > 0.999 * length(sub(target, eye)), "quaternion misses its target"
            if previous is not None and sum(a * b for a, b in zip(q, previous)) < 0:
                q = tuple(-c for c in q)
            keys.append((t, eye, q))
            previous = q
        return keys

    def text(self):
        lines = ["scene"] + self.head + ["KEYFRAMES"]
        for t, eye, q in self.keys():
            lines += ["keyframe",
                      "time %g" % round(t, 3),
                      "position V(%.1f %.1f %.1f)" % eye,
                      "quaternion Q(%.6f %.6f %.6f %.6f)" % q,
                      "end"]
        lines += ["ENDKEYS"] + self.tail + ["end"]
        return "\n".join(lines) + "\n"

    def write(self, data_dir):
        path = os.path.join(data_dir, *self.entry.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(self.text())

    def engine_path(self, rate=20.0):
        """The camera positions the engine produces from the keys: Hermite
        segments with central-difference gradients in units per segment."""
        keys = self.keys()
        points = [k[1] for k in keys]
        n = len(points) - 1
        gradients = []
        for i in range(n + 1):
            if i == 0:
                gradients.append(sub(points[1], points[0]))
            elif i == n:
                gradients.append(sub(points[n], points[n - 1]))
            else:
                gradients.append(scale(sub(points[i + 1], points[i - 1]), 0.5))
        samples = []
        for i in range(n):
            t0, t1 = keys[i][0], keys[i + 1][0]
            steps = max(1, int((t1 - t0) * rate))
            for s in range(steps):
                u = s / steps
                h00, h10 = 2 * u ** 3 - 3 * u ** 2 + 1, u ** 3 - 2 * u ** 2 + u
                h01, h11 = 3 * u ** 2 - 2 * u ** 3, u ** 3 - u ** 2
                p = tuple(h00 * points[i][c] + h10 * gradients[i][c] + h01 * points[i + 1][c] +
                          h11 * gradients[i + 1][c] for c in range(3))
                samples.append((t0 + (t1 - t0) * u, p))
        samples.append((keys[-1][0], points[-1]))
        return samples

    def check(self, worlds):
        """Problems found: the camera too near a body (or the ring a body of
        unknown phase lies on) in any world the scene may play in."""
        problems = []
        report = []
        for world_name in self.worlds:
            world = worlds[world_name]
            closest = (float("inf"), None, None)
            for t, eye in self.engine_path():
                for name in world.bodies:
                    gap = clearance(world, name, t, eye, self.phases)
                    if gap is not None and gap < closest[0]:
                        closest = (gap, name, t)
            report.append("%s: closest %s %.0f at %.1f s" % (world_name, closest[1], closest[0], closest[2])
                          if closest[1] else "%s: nothing near" % world_name)
            if closest[0] < MIN_CLEARANCE:
                problems.append("%s in %s: %.0f units from %s at %.1f s" %
                                (self.entry, world_name, closest[0], closest[1], closest[2]))
        return problems, report


def distance_to_ring(point, centre, axis, ring_radius):
    rel = sub(point, centre)
    along = dot(rel, axis)
    in_plane = sub(rel, scale(axis, along))
    return math.hypot(length(in_plane) - ring_radius, along)


def clearance(world, name, t, eye, phases):
    """Gap between the eye and the body's surface, or between the eye and the
    tube of places the body may be in; None for the sky spheres."""
    b = world.bodies[name]
    if b.env:
        return None
    if b.plt and name not in phases:
        best = min(length(sub(eye, (math.cos(a) * 618000, math.cos(a) * 123600, math.sin(a) * 412000)))
                   for a in (math.radians(d) for d in range(360)))
        return best - b.radius
    if is_unknown(b, name, phases) and not b.plt:
        return distance_to_ring(eye, (0, 0, 0), (0, 1, 0), math.hypot(b.base[0], b.base[2])) - b.radius
    if b.sys:
        parent = world.bodies[b.parent]
        reach = length(b.base)
        if world.orbit_ring(name, t, phases) is None or is_unknown(parent, b.parent, phases):
            # Anywhere within its orbit's reach of wherever the parent may be.
            return clearance(world, b.parent, t, eye, phases) + parent.radius - reach - b.radius
        centre, axis, ring = world.orbit_ring(name, t, phases)
        return distance_to_ring(eye, centre, axis, ring) - b.radius
    if b.moon and name not in phases:
        return distance_to_ring(eye, (0, 0, 0), (0, 1, 0), math.hypot(b.base[0], b.base[2])) - b.radius
    return length(sub(eye, world.position(name, t, phases))) - b.radius


def is_unknown(body, name, phases):
    """True when the scene does not fix where an orbiting body is."""
    return body.orbit and not body.light and not body.moon and not body.sys and name not in phases
