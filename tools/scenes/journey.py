#!/usr/bin/env python3
"""Writes the scene scripts of data/scenes/ from the camera paths below, laid
out around where data/system.txt and data/earth.txt put the bodies, and
checks that no camera passes through a body. Run by hand after changing a
world file or a path: python3 tools/scenes/journey.py [--check]."""
import os
import random
import sys

from bodies import Body, load_worlds
from camera_paths import Around, Blend, Glide, LookBlend, Towards, eased
from scene_math import add, length, lerp, normalize, scale, sub
from scene_writer import Scene

DATA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
WORLDS = load_worlds(DATA_DIR)
SYSTEM, EARTH, ASTER = WORLDS["system"], WORLDS["earth"], WORLDS["aster"]
ORIGIN = (0.0, 0.0, 0.0)


def radius(name):
    return SYSTEM.bodies[name].radius


def orbit_radius(name):
    base = SYSTEM.bodies[name].base
    return 618000.0 if SYSTEM.bodies[name].plt else (base[0] ** 2 + base[2] ** 2) ** 0.5


# ---------------------------------------------------------------- system world

def saturn_phase(scene, degrees):
    """Saturn's rings orbit as a body of their own, which the director does
    not scatter with the planets: a scene that shows Saturn puts both at
    one place."""
    scene.phase("saturn", degrees)
    scene.phase("rings", degrees)


def intro(number, destination, body, phase, start_az, start_el, end_radii, end_az, end_el, yaw):
    """A wide view of the system from high above, descending until the
    body the journey goes to first swings into the foreground."""
    s = Scene("scenes\\system\\intro%d.txt" % number, 32, ["system"])
    s.fades(3, 2)
    if body == "saturn":
        saturn_phase(s, phase)
    else:
        s.phase(body, phase)
    r = radius(body)
    # The outer planets lie too far out to be seen beside the sun: there the
    # wide view looks down on the planet itself.
    centre, far = (ORIGIN, 70000.0) if orbit_radius(body) < 100000 else (body, 40 * r)
    wide = Around(SYSTEM, centre, [(0, far), (32, far * 0.5)], [(0, start_az), (32, start_az + 70)],
                  [(0, start_el), (32, start_el * 0.6)], s.phases)
    close = Around(SYSTEM, body, [(0, end_radii * r * 5), (24, end_radii * r * 1.4), (32, end_radii * r)],
                   [(0, end_az - 40), (32, end_az)], [(0, end_el + 10), (32, end_el)], s.phases,
                   yaw=[(0, 0), (24, yaw * 0.8), (32, yaw)])
    s.camera = Blend(wide, close, eased(3, 26), eased(13, 21))
    s.target_frame(body, 1.6 * r, 14, 27)
    s.next(destination)
    return s


def sun_pass():
    s = Scene("scenes\\system\\sun0.txt", 30, ["system"])
    s.fades()
    s.camera = Around(SYSTEM, ORIGIN, [(0, 17000), (15, 4600), (30, 13000)], [(0, -20), (30, 140)],
                      [(0, 14), (15, 5), (30, 12)], yaw=[(0, -18), (15, 0), (30, 22)])
    s.next("earth")
    return s


def flight_to_earth():
    """From the sun out to Earth; the last view matches the first one of
    the arrival in the earth world (same azimuth, elevation and distance in
    Earth radii)."""
    s = Scene("scenes\\system\\earth0.txt", 30, ["system"])
    s.fades()
    s.phase("earth", 120)
    towards_earth = Around(SYSTEM, "earth", [(0, 10500), (30, 6 * radius("earth"))], [(0, 8), (30, 30)],
                           [(0, 5), (30, 10)], s.phases)
    back_at_sun = Towards(towards_earth, SYSTEM, ORIGIN, yaw=15)
    s.camera = LookBlend(back_at_sun, towards_earth, eased(4, 13))
    s.target_frame("earth", 1.6 * radius("earth"), 12, 28)
    s.world("earth")
    s.next("earth")
    return s


def jupiter_and_saturn():
    s = Scene("scenes\\system\\jupiter0.txt", 40, ["system"])
    s.fades()
    s.phase("jupiter", 40)
    saturn_phase(s, 43)
    rj, rs = radius("jupiter"), radius("saturn")
    jupiter = Around(SYSTEM, "jupiter", [(0, 14 * rj), (12, 3.2 * rj), (24, 6 * rj)], [(0, 35), (24, 110)],
                     [(0, 14), (12, 9), (24, 14)], s.phases)
    saturn = Around(SYSTEM, "saturn", [(0, 30 * rs), (30, 7 * rs), (40, 4.5 * rs)], [(0, 70), (40, 40)],
                    [(0, 16), (40, 12)], s.phases)
    s.camera = Blend(jupiter, saturn, eased(16, 30), eased(15, 22))
    s.target_frame("saturn", 2.6 * rs, 22, 37)
    s.next("sun")
    return s


def flyby(destination, phase, duration, far, near, azimuths, elevations, keep_centred=False, entry=None):
    """A pass by a planet: in from the sunlit side, close by, and out past
    its night side looking back at the crescent; unless keep_centred, the
    view turns to take in the sun beside it."""
    s = Scene("scenes\\system\\%s0.txt" % (entry or destination), duration, ["system"])
    s.fades()
    if destination == "saturn":
        saturn_phase(s, phase)
    else:
        s.phase(destination, phase)
    r = radius(destination)
    half = duration / 2.0
    around = Around(SYSTEM, destination, [(0, far * r), (half, near * r), (duration, far * 0.7 * r)],
                    [(0, azimuths[0]), (duration, azimuths[1])],
                    [(0, elevations[0]), (half, elevations[1]), (duration, elevations[2])], s.phases)
    s.target_frame(destination, 1.6 * r, 3, half - 2)
    if keep_centred:
        s.orient(destination)
        s.camera = around
    else:
        s.camera = LookBlend(around, Towards(around, SYSTEM, ORIGIN), [(0, 0), (half, 0), (duration, 0.5)])
    return s


def on_to_the_sun(scene):
    scene.next("sun")
    return scene


def flight_to_the_belt():
    """Past Mars and on outwards, to the asteroid world."""
    s = flyby("mars", 0, 30, 16, 3, (40, 100), (10, 4, 18), keep_centred=True, entry="aster")
    s.world("aster")
    s.next("aster")
    return s


# ----------------------------------------------------------------- earth world

def earth_arrival():
    s = Scene("scenes\\earth\\earth0.txt", 35, ["earth", "system"])
    s.fades()
    r = EARTH.bodies["earth"].radius
    s.camera = Around(EARTH, ORIGIN, [(0, 6 * r), (35, 2.3 * r)], [(0, 30), (35, -70)], [(0, 10), (35, 18)],
                      yaw=[(0, 0), (35, 12)])
    # Played in the system world (the director may pick it after a departure),
    # it still leads on into the earth world.
    s.world("earth")
    s.next("moon")
    return s


def to_the_moon():
    s = Scene("scenes\\earth\\moon0.txt", 35, ["earth"])
    s.fades()
    s.moon("moon", -20)
    r = EARTH.bodies["earth"].radius
    near_earth = Around(EARTH, ORIGIN, 2.3 * r, -70, 18, yaw=12)
    at_moon = Around(EARTH, "moon", [(0, 9000), (35, 2300)], [(0, -40), (35, 40)], [(0, 5), (35, 8)],
                     s.phases, yaw=[(0, 0), (35, -17)])
    s.camera = Blend(near_earth, at_moon, eased(2, 33))
    s.next("leave")
    return s


def leaving_earth():
    s = Scene("scenes\\earth\\leave0.txt", 30, ["earth"])
    s.fades()
    s.moon("moon", -90)
    away = Around(EARTH, "moon", [(0, 2300), (30, 40000)], [(0, 40), (30, 8)], [(0, 8), (30, 22)], s.phases,
                  yaw=[(0, -17), (30, 0)])
    s.camera = LookBlend(away, Towards(away, EARTH, (0.0, 0.0, 7000.0)), eased(5, 25))
    s.world("system")
    s.next("jupiter")
    return s


DEPARTURE_SECONDS = 22


def departure_path(azimuth):
    return Around(EARTH, ORIGIN, [(0, 6500), (DEPARTURE_SECONDS, 48000)],
                  [(0, azimuth), (DEPARTURE_SECONDS, azimuth + 25)], [(0, 14), (DEPARTURE_SECONDS, 30)],
                  yaw=[(0, 0), (8, 0), (DEPARTURE_SECONDS, 24)], pitch=[(0, 0), (DEPARTURE_SECONDS, -8)])


def departure(directory, destination, worlds, azimuth, world_line="system"):
    """Pulling away from the origin of the world the scene plays in: Earth
    in the earth world, the middle of the asteroid field, or the sun."""
    s = Scene("scenes\\%s\\%s0.txt" % (directory, destination), DEPARTURE_SECONDS, worlds)
    s.fades()
    s.camera = departure_path(azimuth)
    s.world(world_line)
    s.next(destination)
    return s


def departures():
    """The scripts the director picks when leaving the earth and asteroid
    worlds, one per destination: each pulls away in its own direction."""
    result = []
    for directory, worlds, azimuth in DEPARTURE_DIRECTIONS:
        for i, destination in enumerate(DESTINATIONS + ("sun",)):
            if destination != directory:
                result.append(departure(directory, destination, worlds, azimuth + 10 * i))
    return result


DESTINATIONS = ("mercury", "venus", "earth", "mars", "aster", "jupiter", "saturn", "uranus", "neptune", "pluto")
# The first azimuth of each directory's departures; they fan out 10 degrees
# apart over the sunlit side.
DEPARTURE_DIRECTIONS = (("earth", ["earth", "system"], -50), ("aster", ["aster", "system"], -45))


# ------------------------------------------------------------- asteroid world

BELT_PATH = [(0, (14000.0, 300.0, 1500.0)), (20, (4000.0, 700.0, 600.0)), (40, (-6000.0, 400.0, -600.0))]


BELT_RETURN = [(0, (-13000.0, 900.0, 3000.0)), (35, (-6200.0, 800.0, -1500.0))]
ASTEROID_MESHES = ("meshes\\aster.dat", "meshes\\aster2.dat", "meshes\\aster3.dat")


def belt_rocks():
    """Large asteroids beside the flights through the asteroid world, which
    the far environment draws around the generated small ones: (name, mesh,
    position, radius, tilt axis, tilt, spin axis, spin speed)."""
    rng = random.Random(7)
    flights = [Glide(BELT_PATH), Glide(BELT_RETURN)]
    departing = [departure_path(DEPARTURE_DIRECTIONS[1][2] + 10 * i) for i in range(len(DESTINATIONS) + 1)]
    eyes = [f.eye(t / 2.0) for f in flights for t in range(0, 81)]
    eyes += [d(t / 2.0)[0] for d in departing for t in range(0, 2 * DEPARTURE_SECONDS + 1)]
    rocks = []

    def unit():
        return normalize((rng.uniform(-1, 1), rng.uniform(-1, 1), rng.uniform(-1, 1)))

    def place(candidate, smallest, largest):
        """Keeps the first candidate position that no flight passes too near."""
        for _ in range(50):
            position, size = candidate(), rng.uniform(smallest, largest)
            if min(length(sub(position, eye)) for eye in eyes) > size + 300:
                rocks.append(("rock%d" % (len(rocks) + 1), rng.randrange(3), position, size, unit(),
                              rng.uniform(0, 360), unit(), rng.uniform(4, 15)))
                return

    for flight, times in ((flights[0], range(3, 40, 2)), (flights[1], range(4, 35, 3))):
        for t in times:
            # Mostly on the side the camera looks at, which the sun lights.
            side = lambda: normalize((rng.uniform(-0.3, 0.3), rng.uniform(-0.6, 0.6), rng.uniform(-1.0, 0.35)))
            place(lambda: add(flight.eye(t), scale(side(), rng.uniform(450.0, 1500.0))), 50.0, 260.0)
    for path in departing:
        for t in (1.0, 5.0, 9.0, 13.0):
            # Between the departing camera and the middle of the field it looks at.
            place(lambda: add(lerp(path(t)[0], ORIGIN, rng.uniform(0.3, 0.55)), scale(unit(), 900.0)), 60.0, 220.0)
    return rocks


def belt_file(rocks):
    lines = []
    for mesh in range(len(ASTEROID_MESHES)):
        lines.append("geometry %s" % ASTEROID_MESHES[mesh])
        for name, kind, position, size, tilt_axis, tilt, spin_axis, spin in rocks:
            if kind != mesh:
                continue
            lines += ["sphere", "begin %s" % name, "orbit", "list",
                      "position V(%.1f %.1f %.1f)" % position, "radius %.1f" % size,
                      "orient V(%.3f %.3f %.3f) %.1f" % (tilt_axis + (tilt,)),
                      "rotation V(%.3f %.3f %.3f) 0 %.1f" % (spin_axis + (spin,)),
                      "texture textures\\phobos.jpg", "end"]
    lines += ["sphere", "begin sun", "light", "orbit", "position V(0 0 1000000)", "radius 30000",
              "rotation V(0 0 -1) 0 0.8", "texture textures\\sun.jpg",
              # No depth writes: the far flare in the post pass looks through to the sun's centre.
              "depth", "end", "ENDWORLD"]
    return "\n".join(lines) + "\n"


def add_rocks_to(world, rocks):
    for name, _, position, size, *_ in rocks:
        body = Body(name)
        body.base, body.radius, body.orbit = position, size, False
        world.bodies[name] = body


def through_the_belt():
    s = Scene("scenes\\space\\aster0.txt", 40, ["aster"])
    s.fades()
    s.camera = Glide(BELT_PATH, yaw=[(0, 25), (40, 35)], pitch=[(0, 0), (40, 5)])
    s.next("aster")
    return s


def back_into_the_belt():
    """Plays in the asteroid world, or in the system world after a
    departure: it keeps clear of the sun and the planets' orbits there."""
    s = Scene("scenes\\aster\\aster0.txt", 35, ["aster", "system"])
    s.fades()
    s.camera = Glide(BELT_RETURN, yaw=[(0, -30), (35, -45)])
    s.world("aster")
    s.next("aster")
    return s


def scenes():
    result = [
        intro(0, "sun", "earth", 200, 30, 38, 5, 60, 14, 12),
        intro(1, "mercury", "mercury", 300, 60, 30, 8, 70, 16, -10),
        intro(2, "venus", "venus", 20, -40, 42, 6, 50, 10, 12),
        intro(3, "earth", "earth", 80, 120, 34, 6, 40, 12, -10),
        intro(4, "mars", "mars", 150, 200, 40, 6, 30, 10, 10),
        intro(5, "aster", "mars", 250, 250, 28, 9, 75, 8, 14),
        intro(6, "jupiter", "jupiter", 330, -90, 36, 6, 45, 12, -8),
        intro(7, "saturn", "saturn", 100, 10, 30, 7, 65, 10, 12),
        intro(8, "uranus", "uranus", 210, 160, 40, 7, 50, 14, -8),
        intro(9, "neptune", "neptune", 290, 300, 26, 7, 60, 8, 12),
        intro(10, "pluto", "pluto", 60, 80, 35, 9, 60, 10, 0),
        sun_pass(),
        flight_to_earth(),
        on_to_the_sun(flyby("mercury", 70, 30, 14, 2.6, (20, 145), (12, 4, 14))),
        on_to_the_sun(flyby("venus", 160, 30, 14, 2.6, (-10, -140), (8, 3, 10))),
        on_to_the_sun(flyby("mars", 230, 30, 14, 2.8, (30, 120), (14, 6, 16), keep_centred=True)),
        flight_to_the_belt(),
        on_to_the_sun(flyby("saturn", 300, 35, 14, 3.0, (40, 140), (18, 10, 20))),
        on_to_the_sun(flyby("uranus", 30, 35, 14, 4.2, (-30, -140), (20, 12, 24))),
        on_to_the_sun(flyby("neptune", 200, 35, 14, 2.8, (25, 135), (10, 5, 12), keep_centred=True)),
        on_to_the_sun(flyby("pluto", 120, 30, 14, 2.4, (35, 145), (32, 34, 36))),
        jupiter_and_saturn(),
        earth_arrival(),
        to_the_moon(),
        leaving_earth(),
        through_the_belt(),
        back_into_the_belt(),
    ]
    return result + departures()


def main():
    only_check = "--check" in sys.argv[1:]
    failed = False
    rocks = belt_rocks()
    add_rocks_to(ASTER, rocks)
    if not only_check:
        with open(os.path.join(DATA_DIR, "belt.txt"), "w") as f:
            f.write(belt_file(rocks))
    for scene in scenes():
        problems, report = scene.check(WORLDS)
        print("%-32s %s" % (scene.entry, "; ".join(report)))
        for p in problems:
            print("  TOO CLOSE: " + p)
            failed = True
        if not only_check:
            scene.write(DATA_DIR)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
