#pragma once
// Small COLLADA files and textures written by the model tests themselves, so that the
// import is tested on files whose every mesh, material and texture is known.
#include "png/PngWriter.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fixture {

// A square in the plane z = `z`, facing +z, from (x - size, y - size) to (x + size, y + size).
struct Square {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float size = 1.0f;
};

// A fresh folder under /tmp, removed with its files at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/lantern-model-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

inline void writeTexture(const std::string& path, unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 4; ++i)
        pixels.insert(pixels.end(), {r, g, b});
    writePng(path, 2, 2, 3, pixels);
}

// Writes a model of `squares`, one mesh each in order, all using one textured material
// that follows a plain one (so the file has materials 0 and 1). An empty texture name
// leaves that channel out of the material.
inline void writeModel(const std::string& path, const std::vector<Square>& squares, const std::string& diffuse,
                       const std::string& normal)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
           "<asset><unit name=\"meter\" meter=\"1\"/><up_axis>Y_UP</up_axis></asset>\n<library_images>\n";
    if (!diffuse.empty())
        out << "<image id=\"diffuse-image\"><init_from>" << diffuse << "</init_from></image>\n";
    if (!normal.empty())
        out << "<image id=\"normal-image\"><init_from>" << normal << "</init_from></image>\n";
    out << "</library_images>\n<library_effects>\n"
           "<effect id=\"plain-effect\"><profile_COMMON><technique sid=\"common\"><lambert><diffuse>"
           "<color>1 1 1 1</color></diffuse></lambert></technique></profile_COMMON></effect>\n"
           "<effect id=\"textured-effect\"><profile_COMMON>\n";
    for (const char* channel : {"diffuse", "normal"}) {
        if ((channel == std::string("diffuse") ? diffuse : normal).empty())
            continue;
        out << "<newparam sid=\"" << channel << "-surface\"><surface type=\"2D\"><init_from>" << channel
            << "-image</init_from></surface></newparam>\n<newparam sid=\"" << channel
            << "-sampler\"><sampler2D><source>" << channel << "-surface</source></sampler2D></newparam>\n";
    }
    out << "<technique sid=\"common\"><phong>\n";
    if (!normal.empty())
        out << "<emission><texture texture=\"normal-sampler\" texcoord=\"UVMap\"/></emission>\n";
    if (!diffuse.empty())
        out << "<diffuse><texture texture=\"diffuse-sampler\" texcoord=\"UVMap\"/></diffuse>\n";
    else
        out << "<diffuse><color>0.5 0.5 0.5 1</color></diffuse>\n";
    out << "</phong></technique></profile_COMMON></effect>\n</library_effects>\n"
           "<library_materials>\n"
           "<material id=\"a-plain\"><instance_effect url=\"#plain-effect\"/></material>\n"
           "<material id=\"b-textured\"><instance_effect url=\"#textured-effect\"/></material>\n"
           "</library_materials>\n<library_geometries>\n";
    for (size_t i = 0; i < squares.size(); ++i) {
        const Square& q = squares[i];
        const std::string id = "mesh" + std::to_string(i);
        out << "<geometry id=\"" << id << "\"><mesh>\n<source id=\"" << id << "-pos\"><float_array id=\"" << id
            << "-pos-array\" count=\"12\">" << q.x - q.size << ' ' << q.y - q.size << ' ' << q.z << ' '
            << q.x + q.size << ' ' << q.y - q.size << ' ' << q.z << ' ' << q.x + q.size << ' ' << q.y + q.size
            << ' ' << q.z << ' ' << q.x - q.size << ' ' << q.y + q.size << ' ' << q.z
            << "</float_array><technique_common><accessor source=\"#" << id
            << "-pos-array\" count=\"4\" stride=\"3\"><param name=\"X\" type=\"float\"/><param name=\"Y\" "
               "type=\"float\"/><param name=\"Z\" type=\"float\"/></accessor></technique_common></source>\n"
            << "<source id=\"" << id << "-nrm\"><float_array id=\"" << id
            << "-nrm-array\" count=\"12\">0 0 1 0 0 1 0 0 1 0 0 1</float_array><technique_common><accessor "
               "source=\"#"
            << id
            << "-nrm-array\" count=\"4\" stride=\"3\"><param name=\"X\" type=\"float\"/><param name=\"Y\" "
               "type=\"float\"/><param name=\"Z\" type=\"float\"/></accessor></technique_common></source>\n"
            << "<source id=\"" << id << "-uv\"><float_array id=\"" << id
            << "-uv-array\" count=\"8\">0 0 1 0 1 1 0 1</float_array><technique_common><accessor source=\"#" << id
            << "-uv-array\" count=\"4\" stride=\"2\"><param name=\"S\" type=\"float\"/><param name=\"T\" "
               "type=\"float\"/></accessor></technique_common></source>\n"
            << "<vertices id=\"" << id << "-vtx\"><input semantic=\"POSITION\" source=\"#" << id
            << "-pos\"/></vertices>\n<triangles material=\"surface\" count=\"2\"><input semantic=\"VERTEX\" "
               "source=\"#"
            << id << "-vtx\" offset=\"0\"/><input semantic=\"NORMAL\" source=\"#" << id
            << "-nrm\" offset=\"0\"/><input semantic=\"TEXCOORD\" source=\"#" << id
            << "-uv\" offset=\"0\" set=\"0\"/><p>0 1 2 0 2 3</p></triangles>\n</mesh></geometry>\n";
    }
    out << "</library_geometries>\n<library_visual_scenes><visual_scene id=\"scene\">\n";
    for (size_t i = 0; i < squares.size(); ++i)
        out << "<node id=\"node" << i << "\"><instance_geometry url=\"#mesh" << i
            << "\"><bind_material><technique_common><instance_material symbol=\"surface\" "
               "target=\"#b-textured\"><bind_vertex_input semantic=\"UVMap\" input_semantic=\"TEXCOORD\" "
               "input_set=\"0\"/></instance_material></technique_common></bind_material></instance_geometry></node>\n";
    out << "</visual_scene></library_visual_scenes>\n"
           "<scene><instance_visual_scene url=\"#scene\"/></scene>\n</COLLADA>\n";
    std::ofstream(path) << out.str();
}

} // namespace fixture
