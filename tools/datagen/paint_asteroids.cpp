// A rendered view of a few asteroids for a sign picture: meshes of the mesh
// recipes (the very asteroids the saver flies through) wearing a map,
// lit from one side, shadowing each other, on black.
#include <cmath>
#include <vector>

#include "picture_sampling.h"
#include "painters.h"
#include "random.h"
#include "recipe_sources.h"
#include "view_settings.h"

namespace datagen {

namespace {

// One rock of the view: MESH/X/Y/Z/SIZE/TURN, a mesh recipe name, its
// centre in the picture's -1..1 frame (z toward the viewer), its size as a
// multiple of the mesh (mean radius 1) and a turn in degrees.
struct RockPlacement {
  std::string mesh;
  Vec3 centre;
  double size = 0;
  double turn = 0;
};

bool parseRock(const std::string& text, RockPlacement& rock) {
  std::vector<std::string> parts = splitList(text, '/');
  if (parts.size() != 6 || parts[0].empty()) return false;
  rock.mesh = parts[0];
  return parseNumber(parts[1], rock.centre.x) && parseNumber(parts[2], rock.centre.y) &&
         parseNumber(parts[3], rock.centre.z) && parseNumber(parts[4], rock.size) &&
         parseNumber(parts[5], rock.turn) && rock.size > 0;
}

}  // namespace

void paintAsteroids(const PaintJob& job, Settings& settings, Picture& picture) {
  std::string mapName = settings.text("map", "");
  std::string meshFile = settings.text("meshes", "meshes.txt");
  Vec3 light = directionSetting(settings, "light", {-0.7, 0.45, 0.55});
  double ambient = settings.number("ambient", 0.03);
  double exposure = settings.number("exposure", 1.2);
  int samples = settings.integer("samples", 4, 1, 8);
  std::vector<RockPlacement> placements;
  for (const std::string& text : settings.repeated("rock")) {
    RockPlacement rock;
    if (!parseRock(text, rock)) {
      settings.fail("\"rock\" needs MESH/X/Y/Z/SIZE/TURN with a positive size, not \"" + text + "\"");
      return;
    }
    placements.push_back(rock);
  }
  if (placements.empty()) settings.fail("an asteroid view needs at least one \"rock\"");
  if (mapName.empty()) settings.fail("\"map\" is missing");
  Picture map;
  if (placements.empty() || mapName.empty() || !sourcePicture(job, settings, mapName, map)) return;

  // Meshes are kept in a list that does not move once filled.
  std::vector<Mesh> meshes(placements.size());
  std::vector<PlacedMesh> rocks(placements.size());
  std::vector<double> reach(placements.size(), 0);  // the radius of a sphere around each rock
  for (std::size_t i = 0; i < placements.size(); ++i) {
    if (!sourceMesh(job, settings, meshFile, placements[i].mesh, meshes[i])) return;
    for (const Float3& p : meshes[i].positions)
      reach[i] = std::fmax(reach[i], length({p[0], p[1], p[2]}) * placements[i].size);
    Random random(mix64(job.seed + i));
    rocks[i].mesh = &meshes[i];
    rocks[i].position = placements[i].centre;
    rocks[i].scale = placements[i].size;
    rotationAbout(random.direction(), placements[i].turn, rocks[i].rotation);
  }

  auto nearestRock = [&](const Ray& ray, MeshHit& hit) {
    bool found = false;
    for (std::size_t i = 0; i < rocks.size(); ++i) {
      const PlacedMesh& rock = rocks[i];
      MeshHit candidate;
      double t = 0;
      if (rayDistance(ray, rock.position, t) > reach[i]) continue;
      if (hitMesh(ray, rock, candidate) && (!found || candidate.t < hit.t)) {
        hit = candidate;
        found = true;
      }
    }
    return found;
  };

  renderView(framingCamera(), samples, picture, [&](const Ray& ray) {
    MeshHit hit;
    if (!nearestRock(ray, hit)) return Colour{0, 0, 0, 1};
    Vec3 normal = dot(hit.normal, ray.direction) > 0 ? hit.normal * -1 : hit.normal;
    Vec3 point = ray.origin + ray.direction * hit.t;
    MeshHit blocker;
    double lit = diffuse(normal, light);
    if (lit > 0 && nearestRock({point + normal * 1e-4, light}, blocker)) lit = 0;
    Colour surface = sampleBilinear(map, hit.u * map.width, (1 - hit.v) * map.height, true);
    Colour colour = shade(surface, ambient + exposure * lit);
    colour.a = 1;
    return colour;
  });
}

}  // namespace datagen
