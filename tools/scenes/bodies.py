"""The spheres of a world file and where the engine puts them at a scene time."""
import math
import os
import re

from scene_math import normalize, turn_about_y

VECTOR = r"V\(\s*([-\d.eE+]+)\s+([-\d.eE+]+)\s+([-\d.eE+]+)\s*\)"


class Body:
    def __init__(self, name):
        self.name = name
        self.radius = 5.0
        self.period = 365.0
        self.base = (0.0, 0.0, 0.0)
        self.orbit = True
        self.light = False
        self.moon = False
        self.moon_speed = 0.5
        self.plt = False
        self.sys = False
        self.uranmoon = False
        self.env = False
        self.parent = None
        self.spin_axis = (0.0, 1.0, 0.0)
        self.spin_speed = 0.2


def read_world_file(path):
    """The spheres of one world file by name, read with the engine's rules
    for the keywords that decide where a sphere is."""
    bodies = {}
    moon_counter = 1.0
    body = None
    with open(path) as f:
        for raw in f:
            line = raw.rstrip("\r\n").lstrip(" ")
            if body is None:
                if line.startswith("sphere"):
                    body = Body("")
                continue
            if line.startswith("begin"):
                parts = line.split()
                body.name = parts[1] if len(parts) > 1 else ""
                continue
            if line.startswith("radius"):
                body.radius = float(line.split()[1])
            if line.startswith("period"):
                body.period = float(line.split()[1])
            if line.startswith("env"):
                body.env = True
            if line.startswith("light"):
                body.light = True
            if line.startswith("sys"):
                body.sys = True
            if line.startswith("uranmoon"):
                body.uranmoon = True
            if line.startswith("plt"):
                body.plt = True
            if line.startswith("moon"):
                body.moon = True
                body.moon_speed = 2 * moon_counter
                moon_counter *= 0.75
            if line.startswith("orbit"):
                body.orbit = False
            if line.startswith("rotation"):
                m = re.match(r"rotation " + VECTOR + r"\s*([-\d.eE+]+)\s+([-\d.eE+]+)", line)
                body.spin_axis = tuple(float(m.group(i)) for i in (1, 2, 3))
                body.spin_speed = float(m.group(5))
            if line.startswith("position"):
                m = re.match(r"position " + VECTOR, line)
                x, y, z = (float(m.group(i)) for i in (1, 2, 3))
                body.base = (x - 2000 if body.orbit else x, y, z)
            if line.startswith("parent"):
                body.parent = line.split()[1]
            if line.startswith("end"):
                if body.name:
                    bodies[body.name] = body
                body = None
    return bodies


class World:
    """A world's bodies and the orbit phases a scene gives them."""

    def __init__(self, name, bodies, sun_position):
        self.name = name
        self.bodies = bodies
        self.sun_position = sun_position

    def position(self, name, t, phases):
        """Where the body is at scene time t. phases: orbit phases by name
        (a "moon" line's number enters negated)."""
        b = self.bodies[name]
        phase = phases.get(name, 0.0)
        if b.sys:
            raise ValueError("%s moves with its parent's spin, not with the scene clock" % name)
        if b.moon:
            angle = t * b.moon_speed + phase
            return turn_about_y(b.base, angle) if b.spin_axis == (0.0, 1.0, 0.0) else None
        if b.light or not b.orbit:
            return b.base
        angle = 5000.0 / b.period * t + phase
        if b.plt:
            theta = math.radians(angle)
            x = math.cos(theta) * 412000 * 1.5
            return (x, x * 0.2, math.sin(theta) * 412000)
        return turn_about_y(b.base, angle)

    def orbit_ring(self, name, t, phases):
        """For a body whose place is unknown (a phase the scene does not fix,
        or a moon of a spinning parent): (centre, axis, ring radius), the
        circle it lies on, or None when its place is known."""
        b = self.bodies[name]
        if b.sys and b.parent in self.bodies:
            centre = self.position_or_none(b.parent, t, phases)
            if centre is None:
                return None
            axis = normalize(centre) if b.uranmoon else normalize(b.spin_axis)
            return centre, axis, math.sqrt(b.base[0] ** 2 + b.base[1] ** 2 + b.base[2] ** 2)
        if b.moon and name not in phases:
            return (0.0, 0.0, 0.0), (0.0, 1.0, 0.0), math.hypot(b.base[0], b.base[2])
        return None

    def position_or_none(self, name, t, phases):
        b = self.bodies[name]
        if b.sys:
            return None
        return self.position(name, t, phases)


def world_files(data_dir):
    """The object files of each world of worlds.txt, in order."""
    files, name = {}, None
    with open(os.path.join(data_dir, "worlds.txt")) as f:
        for raw in f:
            line = raw.strip()
            if line.startswith("world"):
                name = line.split()[1]
                files[name] = []
            elif line.startswith("objects") and name:
                files[name].append(line.split()[1])
    return files


def load_worlds(data_dir):
    files = world_files(data_dir)

    def bodies_of(world):
        bodies = {}
        for name in files.get(world, []):
            bodies.update(read_world_file(os.path.join(data_dir, name)))
        return bodies

    system = World("system", bodies_of("system"), (0.0, 0.0, 0.0))
    earth = World("earth", bodies_of("earth"), (0.0, 0.0, 1000000.0))
    aster = World("aster", {}, (0.0, 0.0, 1000000.0))
    return {"system": system, "earth": earth, "aster": aster}

