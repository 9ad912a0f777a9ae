// The text entries of the data archive, read straight from data/: which
// scene scripts the director can reach from the first scenes (with Random off
// and on, every random pick taken), whether they exist and end, and whether
// the names and files the scripts and world files rely on exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const char* const kDestinations[] = {"mercury", "venus",  "earth",  "mars",    "aster",
                                     "jupiter", "saturn", "uranus", "neptune", "pluto"};

// ----------------------------------------------------------------- reading

// An archive entry such as scenes\system\intro0.txt is the file
// data/scenes/system/intro0.txt. Lines as the script reader gives them:
// leading spaces skipped, carriage returns dropped.
std::optional<Lines> readEntry(const std::string& entry) {
  std::string path = std::string(VT_SOURCE_DIR) + "/data/";
  for (char c : entry) path += c == '\\' ? '/' : c;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  Lines lines;
  std::string line;
  while (std::getline(file, line)) {
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
    lines.push_back(line);
  }
  return lines;
}

bool startsWith(const std::string& line, const char* keyword) { return line.rfind(keyword, 0) == 0; }

// The word that the format (such as "next %127s") scans from the line, or "".
std::string scanWord(const std::string& line, const char* format) {
  char word[128] = "";
  return std::sscanf(line.c_str(), format, word) == 1 ? word : "";
}

// The first word of every line of a texture list before END_TEXT.
Lines readTextureList(const std::string& entry, bool& terminated) {
  Lines names;
  terminated = false;
  for (const std::string& line : readEntry(entry).value_or(Lines{})) {
    if (startsWith(line, "END_TEXT")) {
      terminated = true;
      break;
    }
    names.push_back(scanWord(line, "%127s"));
  }
  return names;
}

// One object block of a world file: its kind line, name and keyword lines.
struct ObjectBlock {
  std::string kind;
  std::string name;
  Lines lines;
};

// The blocks of a world file, classified in the loader's order of prefixes.
std::vector<ObjectBlock> readObjectBlocks(const Lines& file) {
  const char* const kinds[] = {"sphere", "billboard", "flare", "mesh", "flame", "ps"};
  std::vector<ObjectBlock> blocks;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (startsWith(file[i], "ENDWORLD")) break;
    const char* const* kind = std::find_if(std::begin(kinds), std::end(kinds),
                                           [&](const char* k) { return startsWith(file[i], k); });
    if (kind == std::end(kinds)) continue;
    ObjectBlock block{*kind, "", {}};
    while (++i < file.size() && !startsWith(file[i], "begin")) {
    }
    if (i < file.size() && (block.kind == "sphere" || block.kind == "mesh"))
      block.name = scanWord(file[i], "begin %127s");
    while (++i < file.size()) {
      block.lines.push_back(file[i]);
      if (startsWith(file[i], "end")) break;
    }
    blocks.push_back(block);
  }
  return blocks;
}

// ------------------------------------------------------------ the worlds

struct WorldInfo {
  std::string name;
  std::string environment;
  std::string sceneDir;
  Lines objectFiles;
  bool system = false;
};

struct DataSet {
  std::vector<WorldInfo> worlds;
  std::map<std::string, std::pair<Lines, Lines>> environments;  // name -> world files of the two passes

  const WorldInfo* world(const std::string& name) const {
    for (const WorldInfo& w : worlds)
      if (w.name == name) return &w;
    return nullptr;
  }
};

// Reads blocks opened by a line starting with opener and closed by "end",
// until a line starting with the terminator; handle gets each block's lines.
void readBlocks(const Lines& file, const char* opener, const char* terminator,
                const std::function<void(const std::string&, const Lines&)>& handle) {
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (startsWith(file[i], terminator)) return;
    if (!startsWith(file[i], opener)) continue;
    const std::string head = file[i];
    Lines body;
    while (++i < file.size()) {
      body.push_back(file[i]);
      if (startsWith(file[i], "end")) break;
    }
    handle(head, body);
  }
}

DataSet loadDataSet() {
  DataSet data;
  readBlocks(readEntry("env.txt").value_or(Lines{}), "env", "ENV_END", [&](const std::string& head, const Lines& body) {
    auto& [firstPass, postPass] = data.environments[scanWord(head, "env %127s")];
    for (const std::string& line : body) {
      if (startsWith(line, "firstpass")) firstPass.push_back(scanWord(line, "firstpass %127s"));
      if (startsWith(line, "postpass")) postPass.push_back(scanWord(line, "postpass %127s"));
    }
  });
  readBlocks(readEntry("worlds.txt").value_or(Lines{}), "world", "WORLD_END",
             [&](const std::string& head, const Lines& body) {
               WorldInfo world;
               world.name = scanWord(head, "world %127s");
               for (const std::string& line : body) {
                 if (startsWith(line, "env")) world.environment = scanWord(line, "env %127s");
                 if (startsWith(line, "objects")) world.objectFiles.push_back(scanWord(line, "objects %127s"));
                 if (startsWith(line, "system")) world.system = true;
                 if (startsWith(line, "scenedir")) world.sceneDir = scanWord(line, "scenedir %127s");
               }
               data.worlds.push_back(world);
             });
  // The asteroid world is built by the saver itself; its objects have no names.
  data.worlds.push_back(WorldInfo{"aster", "far", "scenes\\space\\", {}, false});
  return data;
}

// The names of the objects of a world's own list (spheres and meshes).
std::set<std::string> objectNames(const WorldInfo& world) {
  std::set<std::string> names;
  for (const std::string& file : world.objectFiles)
    for (const ObjectBlock& block : readObjectBlocks(readEntry(file).value_or(Lines{})))
      if (!block.name.empty()) names.insert(block.name);
  return names;
}

// The world files read into each object list, in order: every world's own
// list, both passes of every environment, and dynamic.txt.
std::vector<Lines> objectLists(const DataSet& data) {
  std::vector<Lines> lists{{"dynamic.txt"}};
  for (const WorldInfo& world : data.worlds) lists.push_back(world.objectFiles);
  for (const auto& [name, passes] : data.environments) {
    lists.push_back(passes.first);
    lists.push_back(passes.second);
  }
  return lists;
}

// Every world file the saver reads, once.
Lines allWorldFiles(const DataSet& data) {
  std::set<std::string> files;
  for (const Lines& list : objectLists(data)) files.insert(list.begin(), list.end());
  return Lines(files.begin(), files.end());
}

// ------------------------------------------------------------ the scenes

// One key of a HUD block: its time, and whether it (or an earlier key of
// the block, whose values carry over) places the layer.
struct HudKeyInfo {
  float time = NAN;
  bool placed = false;
};

// A "hud NAME" ... "hend" block of a scene.
struct HudBlock {
  std::string layer;
  std::string parent;
  std::vector<HudKeyInfo> keys;
};

struct SceneScript {
  Lines body;  // the lines the director tests, outside keyframe and HUD blocks
  std::vector<float> keyTimes;
  std::vector<float> quaternionLengths;
  std::vector<HudBlock> huds;
};

// Reads a HUD block from the line after "hud NAME" up to "hend", as the
// director and the HUD key reader do; i ends on the "hend" line.
HudBlock parseHudBlock(const Lines& file, std::size_t& i) {
  HudBlock hud{scanWord(file[i], "hud %127s"), "", {}};
  HudKeyInfo key;  // the template: values carry over from key to key
  while (++i < file.size() && !startsWith(file[i], "hend")) {
    if (startsWith(file[i], "parent")) hud.parent = scanWord(file[i], "parent %127s");
    if (!startsWith(file[i], "KEYFRAMES")) continue;
    while (++i < file.size() && !startsWith(file[i], "ENDKEYS")) {
      if (!startsWith(file[i], "keyframe")) continue;
      while (++i < file.size()) {
        std::sscanf(file[i].c_str(), "time %f", &key.time);
        if (startsWith(file[i], "quad") || startsWith(file[i], "project")) key.placed = true;
        if (startsWith(file[i], "end")) break;
      }
      hud.keys.push_back(key);
    }
  }
  return hud;
}

// Reads a script as the director does: from the "scene" line to "end", with
// the keyframe reader taking the lines of a KEYFRAMES block up to ENDKEYS.
SceneScript parseScene(const Lines& file) {
  SceneScript scene;
  std::size_t i = 0;
  while (i < file.size() && !startsWith(file[i], "scene")) ++i;
  while (++i < file.size()) {
    const std::string& line = file[i];
    scene.body.push_back(line);
    if (startsWith(line, "KEYFRAMES")) {
      while (++i < file.size() && !startsWith(file[i], "ENDKEYS")) {
        if (!startsWith(file[i], "keyframe")) continue;
        float time = NAN, x = 0, y = 0, z = 0, w = 0;
        while (++i < file.size()) {
          std::sscanf(file[i].c_str(), "time %f", &time);
          if (startsWith(file[i], "quaternion")) std::sscanf(file[i].c_str(), "quaternion Q(%f %f %f %f)", &x, &y, &z, &w);
          if (startsWith(file[i], "end")) break;
        }
        scene.keyTimes.push_back(time);
        scene.quaternionLengths.push_back(std::sqrt(x * x + y * y + z * z + w * w));
      }
    }
    if (startsWith(line, "hud")) scene.huds.push_back(parseHudBlock(file, i));
    if (startsWith(line, "end")) break;
  }
  return scene;
}

// Where the director is: the world a script plays in, and the script.
struct Stop {
  std::string world;
  std::string directory;
  std::string file;
  std::string entry() const { return directory + file; }
  bool operator<(const Stop& o) const { return std::tie(world, directory, file) < std::tie(o.world, o.directory, o.file); }
};

// How many variants a "next" line may pick from: the integer part of the
// scene's variant factor (1.9, or a "random" line's number plus 0.9).
int variantCount(float factor) { return factor >= 1.0f && factor < 9.0f ? static_cast<int>(factor) : 1; }

// Every stop that may follow a scene: its own next, world and random lines,
// replaced with Random on outside the "system" world by the directory of the
// world being left and any destination's script (or the sun's).
std::vector<Stop> following(const Stop& stop, const SceneScript& scene, bool random, const DataSet& data,
                            std::vector<std::string>& problems) {
  std::string world = stop.world, directory = stop.directory;
  Lines files{stop.file};
  float factor = 1.9f;
  for (const std::string& line : scene.body) {
    if (startsWith(line, "next")) {
      const std::string name = scanWord(line, "next %127s");
      files.clear();
      for (int v = 0; v < variantCount(factor); ++v) files.push_back(name + std::to_string(v) + ".txt");
    }
    if (startsWith(line, "world")) {
      const std::string name = scanWord(line, "world %127s");
      if (const WorldInfo* target = data.world(name)) {
        world = name;
        directory = target->sceneDir;
      } else {
        problems.push_back(stop.entry() + ": no world named \"" + name + "\"");
      }
    }
    float number = 0.0f;
    if (startsWith(line, "random") && std::sscanf(line.c_str(), "random %f", &number) == 1) factor = number + 0.9f;
  }
  if (random && stop.world != "system") {
    directory = "scenes\\" + stop.world + "\\";
    files.assign({"sun0.txt"});
    for (const char* destination : kDestinations) files.push_back(std::string(destination) + "0.txt");
  }
  std::vector<Stop> result;
  for (const std::string& file : files) result.push_back(Stop{world, directory, file});
  return result;
}

struct Journey {
  std::map<Stop, std::optional<SceneScript>> reached;  // no script: the entry is missing
  std::map<Stop, Stop> cameFrom;
  std::vector<std::string> problems;

  std::string route(Stop stop) const {
    std::string text = stop.entry() + " (" + stop.world + ")";
    for (auto it = cameFrom.find(stop); it != cameFrom.end(); it = cameFrom.find(it->second))
      text = it->second.entry() + " -> " + text;
    return text;
  }
};

// Every stop reachable from the first scenes of a saver run.
Journey walk(bool random, const DataSet& data) {
  Journey journey;
  const WorldInfo* system = data.world("system");
  if (!system) return journey;
  std::vector<Stop> queue{Stop{"system", system->sceneDir, "intro0.txt"}};
  if (random)
    for (int n = 1; n <= 10; ++n) queue.push_back(Stop{"system", system->sceneDir, "intro" + std::to_string(n) + ".txt"});
  while (!queue.empty()) {
    const Stop stop = queue.back();
    queue.pop_back();
    if (journey.reached.count(stop)) continue;
    const std::optional<Lines> file = readEntry(stop.entry());
    if (!file) {
      journey.reached[stop] = std::nullopt;
      continue;
    }
    const SceneScript scene = parseScene(*file);
    journey.reached[stop] = scene;
    for (const Stop& next : following(stop, scene, random, data, journey.problems)) {
      if (!journey.reached.count(next) && !journey.cameFrom.count(next)) journey.cameFrom[next] = stop;
      queue.push_back(next);
    }
  }
  return journey;
}

class JourneyData : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { data_ = new DataSet(loadDataSet()); }
  static void TearDownTestSuite() { delete data_; }
  static const DataSet& data() { return *data_; }

 private:
  static DataSet* data_;
};

DataSet* JourneyData::data_ = nullptr;

// ------------------------------------------------------------------- tests

TEST_F(JourneyData, EveryScriptTheDirectorCanReachExists) {
  for (bool random : {false, true}) {
    const Journey journey = walk(random, data());
    SCOPED_TRACE(random ? "Random on" : "Random off");
    EXPECT_GT(journey.reached.size(), 1u);
    for (const auto& [stop, scene] : journey.reached)
      EXPECT_TRUE(scene.has_value()) << "missing script: " << journey.route(stop);
    EXPECT_TRUE(journey.problems.empty()) << journey.problems.front();
  }
}

TEST_F(JourneyData, NoReachableSceneRepeatsItselfForEver) {
  for (bool random : {false, true}) {
    const Journey journey = walk(random, data());
    for (const auto& [stop, scene] : journey.reached) {
      if (!scene) continue;
      std::vector<std::string> problems;
      const std::vector<Stop> next = following(stop, *scene, random, data(), problems);
      const bool onlyItself = std::all_of(next.begin(), next.end(), [&](const Stop& s) {
        return !(s < stop) && !(stop < s);
      });
      EXPECT_FALSE(onlyItself) << (random ? "Random on: " : "Random off: ") << journey.route(stop)
                               << " is followed only by itself";
    }
  }
}

TEST_F(JourneyData, WithRandomOffTheJourneyIsOneClosedLoop) {
  const Journey journey = walk(false, data());
  const Lines expected = {"scenes\\system\\intro0.txt", "scenes\\system\\sun0.txt",  "scenes\\system\\earth0.txt",
                          "scenes\\earth\\earth0.txt",  "scenes\\earth\\moon0.txt",  "scenes\\earth\\leave0.txt",
                          "scenes\\system\\jupiter0.txt"};
  Stop stop{"system", "scenes\\system\\", "intro0.txt"};
  Lines visited;
  for (std::size_t step = 0; step < 2 * expected.size(); ++step) {
    visited.push_back(stop.entry());
    const auto it = journey.reached.find(stop);
    ASSERT_TRUE(it != journey.reached.end() && it->second) << stop.entry();
    std::vector<std::string> problems;
    const std::vector<Stop> next = following(stop, *it->second, false, data(), problems);
    ASSERT_EQ(next.size(), 1u) << stop.entry() << " may go to more than one scene";
    stop = next.front();
  }
  // After the introduction the loop from the sun repeats for ever.
  Lines loop = expected;
  loop.insert(loop.end(), expected.begin() + 1, expected.end());
  loop.push_back(expected[1]);
  loop.resize(visited.size());
  EXPECT_EQ(visited, loop);
}

TEST_F(JourneyData, EveryReachableSceneHasATrackThatEnds) {
  for (bool random : {false, true}) {
    for (const auto& [stop, scene] : walk(random, data()).reached) {
      if (!scene) continue;
      SCOPED_TRACE(stop.entry());
      // A track needs two keys, or the scene never ends.
      ASSERT_GE(scene->keyTimes.size(), 2u);
      EXPECT_EQ(scene->keyTimes.front(), 0.0f);
      for (std::size_t k = 1; k < scene->keyTimes.size(); ++k) EXPECT_GT(scene->keyTimes[k], scene->keyTimes[k - 1]);
      EXPECT_GE(scene->keyTimes.back(), 20.0f);
      EXPECT_LE(scene->keyTimes.back(), 40.0f);
      for (float length : scene->quaternionLengths) EXPECT_NEAR(length, 1.0f, 1e-3f);
    }
  }
}

TEST_F(JourneyData, ScriptsNameOnlyObjectsOfTheWorldTheyPlayIn) {
  std::map<std::string, std::set<std::string>> names;
  for (const WorldInfo& world : data().worlds) names[world.name] = objectNames(world);
  for (bool random : {false, true}) {
    for (const auto& [stop, scene] : walk(random, data()).reached) {
      if (!scene) continue;
      for (const std::string& line : scene->body) {
        Lines used;
        if (startsWith(line, "orient")) used = {scanWord(line, "orient %127s")};
        if (startsWith(line, "phase")) used = {scanWord(line, "phase %127s")};
        if (startsWith(line, "moon")) used = {scanWord(line, "moon %127s")};
        if (startsWith(line, "crosslook")) {
          char from[128] = "", to[128] = "";
          std::sscanf(line.c_str(), "crosslook %127s %127s", from, to);
          used = {from, to};
        }
        for (const std::string& name : used)
          EXPECT_EQ(names[stop.world].count(name), 1u)
              << stop.entry() << " plays in the world " << stop.world << ", which has no object " << name;
      }
    }
  }
}

TEST_F(JourneyData, WorldsAndEnvironmentsNameEntriesThatExist) {
  const WorldInfo* system = data().world("system");
  ASSERT_NE(system, nullptr);
  EXPECT_TRUE(system->system);
  EXPECT_EQ(data().environments.count("far"), 1u) << "the asteroid world's environment";
  for (const WorldInfo& world : data().worlds) {
    SCOPED_TRACE(world.name);
    EXPECT_LE(world.name.size(), 19u);
    EXPECT_EQ(data().environments.count(world.environment), 1u) << world.environment;
    EXPECT_FALSE(world.sceneDir.empty());
  }
  for (const std::string& file : allWorldFiles(data())) EXPECT_TRUE(readEntry(file).has_value()) << file;
}

TEST_F(JourneyData, TextureListsNamePicturesTheGeneratorPaints) {
  std::set<std::string> painted;
  for (const std::string& line : readEntry("generate/pictures.txt").value_or(Lines{}))
    if (!line.empty() && line[0] != '#') painted.insert(scanWord(line, "%127s"));
  for (const char* list : {"texture.txt", "sign.txt"}) {
    SCOPED_TRACE(list);
    bool terminated = false;
    const Lines names = readTextureList(list, terminated);
    EXPECT_TRUE(terminated) << "no END_TEXT";
    EXPECT_FALSE(names.empty());
    for (const std::string& name : names) {
      // The generator writes textures\sign\x.jpg as the file textures/sign/x.jpg.
      std::string file = name;
      std::replace(file.begin(), file.end(), '\\', '/');
      EXPECT_EQ(painted.count(file), 1u) << name;
      EXPECT_LE(name.size(), 22u) << name;
    }
  }
}

TEST_F(JourneyData, EveryTextureAWorldUsesIsRegistered) {
  bool terminated = false;
  std::set<std::string> registered;
  for (const std::string& name : readTextureList("texture.txt", terminated)) registered.insert("textures\\" + name);
  // The asteroid field's own texture.
  EXPECT_EQ(registered.count("textures\\phobos.jpg"), 1u);
  for (const std::string& file : allWorldFiles(data()))
    for (const ObjectBlock& block : readObjectBlocks(readEntry(file).value_or(Lines{})))
      for (const std::string& line : block.lines)
        if (startsWith(line, "texture")) {
          EXPECT_EQ(registered.count(scanWord(line, "texture %127s")), 1u) << file << ": " << line;
        }
}

TEST_F(JourneyData, SpheresThatMoveByThemselvesAreSetUpToDoSo) {
  for (const Lines& list : objectLists(data())) {
    std::set<std::string> earlier;  // names already in the list
    for (const std::string& file : list) {
      for (const ObjectBlock& block : readObjectBlocks(readEntry(file).value_or(Lines{}))) {
        SCOPED_TRACE(file + ": " + block.name);
        EXPECT_LE(block.name.size(), 14u);
        auto lineOf = [&](const char* keyword) {
          return std::find_if(block.lines.begin(), block.lines.end(),
                              [&](const std::string& l) { return startsWith(l, keyword); }) -
                 block.lines.begin();
        };
        const auto none = static_cast<std::ptrdiff_t>(block.lines.size());
        // A moon left on its orbit is moved by the orbit, not as a moon; and
        // an "orbit" after the "position" line shifts the position by 2000.
        if (lineOf("moon") != none || lineOf("light") != none || lineOf("sys") != none) {
          EXPECT_LT(lineOf("orbit"), lineOf("position"));
        }
        // A parent is found only among the earlier objects of the same list.
        if (lineOf("parent") != none) {
          EXPECT_EQ(earlier.count(scanWord(block.lines[lineOf("parent")], "parent %127s")), 1u);
        }
        if (!block.name.empty()) earlier.insert(block.name);
      }
    }
  }
}

// ------------------------------------------------------------- HUD layers

struct HudLayerInfo {
  std::string texture;  // archive entry, or "" for an untextured layer
  std::string projectedOn;
};

// The layers of hud.txt by name; terminated tells whether HUD_END was met.
std::map<std::string, HudLayerInfo> readHudLayers(bool& terminated) {
  std::map<std::string, HudLayerInfo> layers;
  const Lines file = readEntry("hud.txt").value_or(Lines{});
  terminated = std::any_of(file.begin(), file.end(), [](const std::string& l) { return startsWith(l, "HUD_END"); });
  readBlocks(file, "hud", "HUD_END", [&](const std::string& head, const Lines& body) {
    HudLayerInfo& layer = layers[scanWord(head, "hud %127s")];
    for (const std::string& line : body) {
      if (startsWith(line, "texture")) layer.texture = scanWord(line, "texture %127s");
      if (startsWith(line, "project")) layer.projectedOn = scanWord(line, "project %127s");
    }
  });
  return layers;
}

TEST_F(JourneyData, HudLayersUsePicturesAndBodiesThatExist) {
  bool terminated = false;
  const std::map<std::string, HudLayerInfo> layers = readHudLayers(terminated);
  EXPECT_TRUE(terminated) << "no HUD_END";
  EXPECT_FALSE(layers.empty());
  bool listed = false;
  std::set<std::string> registered;
  for (const std::string& name : readTextureList("texture.txt", listed)) registered.insert("textures\\" + name);
  // "project" resolves in the first world of worlds.txt, when hud.txt is read.
  const std::set<std::string> firstWorld = objectNames(data().worlds.front());
  for (const auto& [name, layer] : layers) {
    SCOPED_TRACE(name);
    EXPECT_LE(name.size(), 15u);
    if (!layer.texture.empty()) {
      EXPECT_EQ(registered.count(layer.texture), 1u) << layer.texture;
      const std::string ending = layer.texture.substr(layer.texture.size() - std::min<std::size_t>(3, layer.texture.size()));
      EXPECT_TRUE(ending == "jpg" || ending == "tga") << layer.texture << " would load nothing";
    }
    if (!layer.projectedOn.empty()) {
      EXPECT_EQ(firstWorld.count(layer.projectedOn), 1u) << layer.projectedOn;
    }
  }
}

TEST_F(JourneyData, SceneHudBlocksAnimateLayersThatExist) {
  bool terminated = false;
  const std::map<std::string, HudLayerInfo> layers = readHudLayers(terminated);
  std::map<std::string, std::set<std::string>> names;
  for (const WorldInfo& world : data().worlds) names[world.name] = objectNames(world);
  std::size_t blocks = 0;
  for (bool random : {false, true}) {
    for (const auto& [stop, scene] : walk(random, data()).reached) {
      if (!scene) continue;
      for (const HudBlock& hud : scene->huds) {
        SCOPED_TRACE(stop.entry() + ": hud " + hud.layer);
        ++blocks;
        const auto layer = layers.find(hud.layer);
        ASSERT_TRUE(layer != layers.end()) << "no such layer in hud.txt";
        if (!hud.parent.empty()) {
          EXPECT_EQ(names[stop.world].count(hud.parent), 1u) << stop.world << " has no object " << hud.parent;
        }
        // A layer shows between its first and last key; the first key must
        // place it, as nothing else gives the key a rectangle.
        ASSERT_GE(hud.keys.size(), 2u);
        EXPECT_TRUE(hud.keys.front().placed);
        EXPECT_GE(hud.keys.front().time, 0.0f);
        EXPECT_LE(hud.keys.back().time, scene->keyTimes.empty() ? 0.0f : scene->keyTimes.back());
        for (std::size_t k = 1; k < hud.keys.size(); ++k) EXPECT_GT(hud.keys[k].time, hud.keys[k - 1].time);
      }
    }
  }
  EXPECT_GT(blocks, 0u) << "no scene animates the HUD";
}

}  // namespace
