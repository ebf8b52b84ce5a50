#include "generator/Collada.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace datagen {

namespace {

std::string number(float value)
{
    if (value == 0.0f)
        value = 0.0f; // never "-0"
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", double(value));
    return text;
}

void writeSource(std::ostringstream& out, const std::string& id, const std::vector<float>& values, int stride,
                 const char* const* params)
{
    out << "        <source id=\"" << id << "\">\n";
    out << "          <float_array id=\"" << id << "-array\" count=\"" << values.size() << "\">";
    for (size_t i = 0; i < values.size(); ++i)
        out << (i ? " " : "") << number(values[i]);
    out << "</float_array>\n";
    out << "          <technique_common>\n";
    out << "            <accessor source=\"#" << id << "-array\" count=\"" << values.size() / size_t(stride)
        << "\" stride=\"" << stride << "\">\n";
    for (int i = 0; i < stride; ++i)
        out << "              <param name=\"" << params[i] << "\" type=\"float\"/>\n";
    out << "            </accessor>\n";
    out << "          </technique_common>\n";
    out << "        </source>\n";
}

void writeGeometry(std::ostringstream& out, const Mesh& mesh)
{
    std::vector<float> positions, normals, uvs;
    for (const Vertex& v : mesh.vertices) {
        positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
        normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
        uvs.insert(uvs.end(), {v.uv.x, v.uv.y});
    }
    static const char* const xyz[] = {"X", "Y", "Z"};
    static const char* const st[] = {"S", "T"};
    const std::string& id = mesh.name;
    out << "    <geometry id=\"" << id << "\" name=\"" << id << "\">\n";
    out << "      <mesh>\n";
    writeSource(out, id + "-positions", positions, 3, xyz);
    writeSource(out, id + "-normals", normals, 3, xyz);
    writeSource(out, id + "-uvs", uvs, 2, st);
    out << "        <vertices id=\"" << id << "-vertices\">\n";
    out << "          <input semantic=\"POSITION\" source=\"#" << id << "-positions\"/>\n";
    out << "        </vertices>\n";
    out << "        <triangles material=\"surface\" count=\"" << mesh.triangleCount() << "\">\n";
    out << "          <input semantic=\"VERTEX\" source=\"#" << id << "-vertices\" offset=\"0\"/>\n";
    out << "          <input semantic=\"NORMAL\" source=\"#" << id << "-normals\" offset=\"0\"/>\n";
    out << "          <input semantic=\"TEXCOORD\" source=\"#" << id << "-uvs\" offset=\"0\" set=\"0\"/>\n";
    out << "          <p>";
    for (size_t i = 0; i < mesh.indices.size(); ++i)
        out << (i ? " " : "") << mesh.indices[i];
    out << "</p>\n";
    out << "        </triangles>\n";
    out << "      </mesh>\n";
    out << "    </geometry>\n";
}

void writeTextureParams(std::ostringstream& out, const std::string& name)
{
    out << "        <newparam sid=\"" << name << "-surface\">\n";
    out << "          <surface type=\"2D\"><init_from>" << name << "-image</init_from></surface>\n";
    out << "        </newparam>\n";
    out << "        <newparam sid=\"" << name << "-sampler\">\n";
    out << "          <sampler2D><source>" << name << "-surface</source></sampler2D>\n";
    out << "        </newparam>\n";
}

} // namespace

bool writeCollada(const std::string& path, const std::vector<Mesh>& meshes, const ColladaMaterial& material)
{
    bool hasNormalMap = !material.normalTexture.empty();
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    out << "<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n";
    out << "  <asset>\n";
    out << "    <contributor><authoring_tool>Lantern Trail data generator</authoring_tool></contributor>\n";
    out << "    <created>2024-01-01T00:00:00Z</created>\n";
    out << "    <modified>2024-01-01T00:00:00Z</modified>\n";
    out << "    <unit name=\"meter\" meter=\"1\"/>\n";
    out << "    <up_axis>Y_UP</up_axis>\n";
    out << "  </asset>\n";

    out << "  <library_images>\n";
    out << "    <image id=\"diffuse-image\" name=\"diffuse-image\"><init_from>" << material.diffuseTexture
        << "</init_from></image>\n";
    if (hasNormalMap)
        out << "    <image id=\"normal-image\" name=\"normal-image\"><init_from>" << material.normalTexture
            << "</init_from></image>\n";
    out << "  </library_images>\n";

    out << "  <library_effects>\n";
    out << "    <effect id=\"a-plain-effect\">\n";
    out << "      <profile_COMMON>\n";
    out << "        <technique sid=\"common\">\n";
    out << "          <lambert><diffuse><color>0.8 0.8 0.8 1</color></diffuse></lambert>\n";
    out << "        </technique>\n";
    out << "      </profile_COMMON>\n";
    out << "    </effect>\n";
    out << "    <effect id=\"b-textured-effect\">\n";
    out << "      <profile_COMMON>\n";
    writeTextureParams(out, "diffuse");
    if (hasNormalMap)
        writeTextureParams(out, "normal");
    out << "        <technique sid=\"common\">\n";
    out << "          <phong>\n";
    if (hasNormalMap)
        out << "            <emission><texture texture=\"normal-sampler\" texcoord=\"UVMap\"/></emission>\n";
    out << "            <ambient><color>0 0 0 1</color></ambient>\n";
    out << "            <diffuse><texture texture=\"diffuse-sampler\" texcoord=\"UVMap\"/></diffuse>\n";
    out << "            <specular><color>0.2 0.2 0.2 1</color></specular>\n";
    out << "            <shininess><float>20</float></shininess>\n";
    out << "          </phong>\n";
    out << "        </technique>\n";
    out << "      </profile_COMMON>\n";
    out << "    </effect>\n";
    out << "  </library_effects>\n";

    out << "  <library_materials>\n";
    out << "    <material id=\"a-plain-material\" name=\"plain\"><instance_effect url=\"#a-plain-effect\"/></material>\n";
    out << "    <material id=\"b-textured-material\" name=\"textured\"><instance_effect url=\"#b-textured-effect\"/></material>\n";
    out << "  </library_materials>\n";

    out << "  <library_geometries>\n";
    for (const Mesh& mesh : meshes)
        writeGeometry(out, mesh);
    out << "  </library_geometries>\n";

    out << "  <library_visual_scenes>\n";
    out << "    <visual_scene id=\"scene\" name=\"scene\">\n";
    for (const Mesh& mesh : meshes) {
        out << "      <node id=\"" << mesh.name << "-node\" name=\"" << mesh.name << "-node\" type=\"NODE\">\n";
        out << "        <instance_geometry url=\"#" << mesh.name << "\">\n";
        out << "          <bind_material><technique_common>\n";
        out << "            <instance_material symbol=\"surface\" target=\"#b-textured-material\">\n";
        out << "              <bind_vertex_input semantic=\"UVMap\" input_semantic=\"TEXCOORD\" input_set=\"0\"/>\n";
        out << "            </instance_material>\n";
        out << "          </technique_common></bind_material>\n";
        out << "        </instance_geometry>\n";
        out << "      </node>\n";
    }
    out << "    </visual_scene>\n";
    out << "  </library_visual_scenes>\n";
    out << "  <scene><instance_visual_scene url=\"#scene\"/></scene>\n";
    out << "</COLLADA>\n";

    std::ofstream file(path, std::ios::binary);
    file << out.str();
    return file.good();
}

} // namespace datagen
