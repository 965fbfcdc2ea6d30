// Parse-and-read throughput of a generated scene file of about 2 MB, the way the scene loader
// walks it: game objects, their names and prefabs, every component key and the grid arrays.
#include "data/JSON.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string sceneText(size_t targetBytes) {
    std::string text = "{\n\t\"Scene\": {\n\t\t\"BGM\": \"Cave\",\n\t\t\"gameObjects\": [\n";
    char line[512];
    for (int i = 0; text.size() < targetBytes; ++i) {
        std::snprintf(line, sizeof line,
                      "%s\t\t\t{\n\t\t\t\t\"name\": \"Rock%d\",\n\t\t\t\t\"prefab\": \"Rock\",\n"
                      "\t\t\t\t\"components\": [\n"
                      "\t\t\t\t\t{\"name\": \"Transform\", \"positionX\": %d.25, \"positionY\": -%d.5, "
                      "\"scaleX\": 1.0, \"scaleY\": 1.5, \"rotation\": 0.0},\n"
                      "\t\t\t\t\t{\"name\": \"SpriteRenderer\", \"texture\": \"Rock\", \"colorR\": 0.8, "
                      "\"colorG\": 0.75, \"colorB\": 0.7, \"colorA\": 1.0, \"layer\": %d}\n"
                      "\t\t\t\t]\n\t\t\t}",
                      i ? ",\n" : "", i, i, i, i % 8);
        text += line;
    }
    text += "\n\t\t]\n\t},\n\t\"NodeManager\": {\n\t\t\"boundaries\": [";
    for (int i = 0; i < 4; ++i)
        text += (i ? ", " : "") + std::string("{\"Bounds\": ") + std::to_string(i) + ".0}";
    text += "],\n\t\t\"nodes\": [";
    for (int i = 0; i < 4096; ++i)
        text += i ? ", {\"walkable\": true}" : "{\"walkable\": false}";
    text += "]\n\t}\n}\n";
    return text;
}

// Returns a checksum so the reads cannot be optimised away.
double parseAndRead(const std::string& text) {
    Qel::JSON json;
    std::istringstream in(text);
    json.parse(in);
    double sum = 0.0;
    json.cd("Scene");
    for (const Qel::JSONArr::iter& object : json.getArray("gameObjects")) {
        std::string name, prefab;
        object.get("name", name);
        object.get("prefab", prefab);
        sum += static_cast<double>(name.size() + prefab.size());
        for (const Qel::JSONArr::iter& component : object.getArray("components")) {
            float value = 0.0f;
            std::string texture;
            int layer = 0;
            if (component.get("name", texture) && texture == "Transform") {
                for (const char* key : {"positionX", "positionY", "scaleX", "scaleY", "rotation"}) {
                    if (component.get(key, value)) sum += value;
                }
            } else {
                component.get("texture", texture);
                for (const char* key : {"colorR", "colorG", "colorB", "colorA"}) {
                    if (component.get(key, value)) sum += value;
                }
                if (component.get("layer", layer)) sum += layer;
            }
        }
    }
    json.cursor = nullptr;
    json.cd("NodeManager");
    for (const Qel::JSONArr::iter& node : json.getArray("nodes")) {
        bool walkable = false;
        if (node.get("walkable", walkable) && walkable) sum += 1.0;
    }
    return sum;
}

// Thread CPU time in seconds: the build machine is shared, so wall time mostly measures the
// neighbours.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

int main() {
    const std::string text = sceneText(2u << 20);
    constexpr int kRuns = 9;
    std::vector<double> rates;
    double checksum = 0.0;
    for (int run = 0; run < kRuns; ++run) {
        const double start = cpuSeconds();
        checksum += parseAndRead(text);
        rates.push_back(static_cast<double>(text.size()) / (1024.0 * 1024.0) / (cpuSeconds() - start));
    }
    std::sort(rates.begin(), rates.end());
    std::printf(
        "json: parse and read of a %.2f MB scene: median %.1f MB/s (CPU time) over %d runs (checksum %.1f)\n",
        static_cast<double>(text.size()) / (1024.0 * 1024.0), rates[kRuns / 2], kRuns, checksum);
    return 0;
}
