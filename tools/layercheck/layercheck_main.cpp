// quirel-layercheck: reads every #include of the layers' sources and fails when one climbs, that
// is, when a file includes a layer or a room (folder) that stands above its own, or a room on the
// same floor. The order is the one written in README.md's "layers" block, ground floor first:
//
//   engine: base < io < render | audio < scene ...    (a line per layer, lowest layer first)
//   tools: kit < *                                     (`*`: every folder not named, each its own room)
//
// `<` separates floors, `|` rooms that share a floor (they may not include each other). A file at
// the top of a layer's folder (its one-include header) stands above all its rooms. A folder the
// block does not name is an error too, so a new room has to be placed before it builds.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layer {
    std::string name;
    int anyFloor = -1;                 // the floor of "*": every folder not named, each its own room
    std::map<std::string, int> floor;  // room -> floor, 0 = ground
    int roof = 0;                      // the floor of files at the top of the layer's folder
};

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) parts.push_back(trim(part));
    return parts;
}

// Reads the ```layers block of the README; false (with a message naming the line) when it is
// missing or malformed.
bool readOrder(const fs::path& readme, std::vector<Layer>* layers) {
    std::ifstream in(readme);
    if (!in) {
        std::cerr << readme.string() << ": cannot be read\n";
        return false;
    }
    std::string line;
    int number = 0;
    bool inBlock = false, seen = false;
    while (std::getline(in, line)) {
        ++number;
        std::string t = trim(line);
        if (!inBlock) {
            if (t == "```layers") inBlock = seen = true;
            continue;
        }
        if (t == "```") break;
        if (t.empty()) continue;
        size_t colon = t.find(':');
        auto bad = [&](const std::string& why) {
            std::cerr << readme.string() << ":" << number << ": " << why << "\n";
            return false;
        };
        if (colon == std::string::npos) return bad("expected 'layer: room < room ...'");
        Layer layer;
        layer.name = trim(t.substr(0, colon));
        std::string rooms = trim(t.substr(colon + 1));
        if (layer.name.empty() || rooms.empty()) return bad("a layer needs a name and its rooms");
        int f = 0;
        for (const std::string& floorText : split(rooms, '<')) {
            for (const std::string& room : split(floorText, '|')) {
                if (room.empty()) return bad("an empty room name");
                if (room == "*") {
                    if (layer.anyFloor >= 0) return bad("'*' is named twice");
                    layer.anyFloor = f;
                } else if (!layer.floor.emplace(room, f).second) {
                    return bad("room '" + room + "' is named twice");
                }
            }
            ++f;
        }
        layer.roof = f;
        layers->push_back(layer);
    }
    if (!seen || layers->empty()) {
        std::cerr << readme.string() << ": no ```layers block naming the layers and their rooms\n";
        return false;
    }
    return true;
}

int layerIndex(const std::vector<Layer>& layers, const std::string& name) {
    for (size_t i = 0; i < layers.size(); ++i)
        if (layers[i].name == name) return static_cast<int>(i);
    return -1;
}

// "engine/render/sdl/X.h" in layer "engine" -> "render/sdl"; a file at the layer's top -> "".
std::string roomOf(const std::string& path, const std::string& layer) {
    std::string rest = path.substr(layer.size() + 1);
    size_t slash = rest.rfind('/');
    return slash == std::string::npos ? std::string() : rest.substr(0, slash);
}

std::string topFolder(const std::string& room) { return room.substr(0, room.find('/')); }

// The floor of a room, the roof for a file at the top, -1 for a room the order does not name.
int floorOf(const Layer& layer, const std::string& room) {
    if (room.empty()) return layer.roof;
    auto it = layer.floor.find(room);
    if (it != layer.floor.end()) return it->second;
    return layer.anyFloor;
}

// Rooms that "*" places are whole folders: their subfolders belong to them.
bool sameWildRoom(const Layer& layer, const std::string& a, const std::string& b) {
    return layer.anyFloor >= 0 && !a.empty() && !b.empty() && !layer.floor.count(a) && !layer.floor.count(b) &&
           topFolder(a) == topFolder(b);
}

}  // namespace

int main(int argc, char** argv) {
    fs::path root = ".";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::cout << "usage: quirel-layercheck [SOURCE_DIR]\n"
                         "Checks that no #include in SOURCE_DIR's layers climbs the order written in\n"
                         "SOURCE_DIR/README.md's ```layers block. Exit 0 when none does, 1 when one does\n"
                         "(each named by file and line), 2 on bad usage.\n";
            return 0;
        }
        if (argv[i][0] == '-' || i != argc - 1) {
            std::cerr << "quirel-layercheck: unknown argument '" << argv[i] << "' (see --help)\n";
            return 2;
        }
        root = argv[i];
    }
    std::vector<Layer> layers;
    if (!readOrder(root / "README.md", &layers)) return 1;

    int problems = 0, files = 0, includes = 0;
    for (size_t li = 0; li < layers.size(); ++li) {
        const Layer& layer = layers[li];
        fs::path dir = root / layer.name;
        if (!fs::is_directory(dir)) {
            std::cerr << "README.md names layer '" << layer.name << "', but " << dir.string() << " is no folder\n";
            ++problems;
            continue;
        }
        std::vector<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp"))
                paths.push_back(fs::relative(entry.path(), root).generic_string());
        }
        std::sort(paths.begin(), paths.end());
        for (const std::string& path : paths) {
            ++files;
            std::string room = roomOf(path, layer.name);
            int from = floorOf(layer, room);
            if (from < 0) {
                std::cerr << path << ": folder " << layer.name << "/" << room
                          << " is not placed in README.md's layers block\n";
                ++problems;
                continue;
            }
            std::ifstream in(root / path);
            std::string line;
            int number = 0;
            while (std::getline(in, line)) {
                ++number;
                std::string t = trim(line);
                if (t.rfind("#include", 0) != 0) continue;
                size_t open = t.find('"');
                size_t close = open == std::string::npos ? open : t.find('"', open + 1);
                if (close == std::string::npos) continue;  // <system> headers
                std::string target = t.substr(open + 1, close - open - 1);
                size_t slash = target.find('/');
                if (slash == std::string::npos) continue;  // a file beside this one
                int ti = layerIndex(layers, target.substr(0, slash));
                if (ti < 0) continue;  // not one of ours (a test kit, a generated header)
                ++includes;
                auto report = [&](const std::string& why) {
                    std::cerr << path << ":" << number << ": includes " << target << ": " << why << "\n";
                    ++problems;
                };
                if (ti > static_cast<int>(li)) {
                    report("layer " + layer.name + " stands below layer " + layers[ti].name);
                    continue;
                }
                if (ti < static_cast<int>(li)) continue;
                std::string targetRoom = roomOf(target, layer.name);
                if (targetRoom == room) continue;
                if (sameWildRoom(layer, room, targetRoom)) continue;
                int to = floorOf(layer, targetRoom);
                std::string here = room.empty() ? layer.name : layer.name + "/" + room;
                std::string there = targetRoom.empty() ? layer.name : layer.name + "/" + targetRoom;
                if (to < 0)
                    report(there + " is not placed in README.md's layers block");
                else if (to > from)
                    report(here + " stands below " + there);
                else if (to == from)
                    report(here + " and " + there + " share a floor and may not include each other");
            }
        }
    }
    if (problems) {
        std::cerr << "layering: " << problems << " problem" << (problems == 1 ? "" : "s") << " in " << files
                  << " files\n";
        return 1;
    }
    std::cout << "layering: " << files << " files, " << includes << " includes of the layers, none climbs\n";
    return 0;
}
