#include "physics/ShapeText.h"

#include <cfloat>
#include <vector>

#include <boost/regex.hpp>
#include <box2d/b2_circle_shape.h>
#include <box2d/b2_polygon_shape.h>

#include "reflection/PropertyText.h"

namespace ShapeText {

namespace {

// The grammar's "(Box|Polygon|Edge|Circle|Chain)\s+([-0-9.eE]+\s*)+" accepts exactly the texts this
// pattern does; written with nested repeats, a long run of digits followed by a stray character
// makes a backtracking matcher try exponentially many splits of the run.
const boost::regex& WholePattern() {
    static const boost::regex pattern(R"((Box|Polygon|Edge|Circle|Chain)\s+[-0-9.eE][-0-9.eE\s]*)");
    return pattern;
}

const boost::regex& SplitPattern() {
    static const boost::regex pattern(R"(^(\w+)\s+(.+)$)");
    return pattern;
}

const boost::regex& NumberPattern() {
    static const boost::regex pattern(R"(([-0-9.eE]+)\s*)");
    return pattern;
}

// Convex with counter-clockwise winding: no vertex lies to the right of any edge, no edge is
// degenerate, and the area is positive.
bool IsConvexCounterClockwise(const std::vector<b2Vec2>& v) {
    const int n = static_cast<int>(v.size());
    float twiceArea = 0.0f;
    for (int i = 0; i < n; ++i) {
        const b2Vec2 p = v[i];
        const b2Vec2 e = v[(i + 1) % n] - p;
        if (e.LengthSquared() <= FLT_EPSILON * FLT_EPSILON) {
            return false;
        }
        twiceArea += b2Cross(p, v[(i + 1) % n]);
        for (int j = 0; j < n; ++j) {
            if (j == i || j == (i + 1) % n) {
                continue;
            }
            if (b2Cross(e, v[j] - p) < 0.0f) {
                return false;
            }
        }
    }
    return twiceArea > FLT_EPSILON;
}

std::unique_ptr<b2Shape> BuildBox(const std::vector<float>& n, Parsed& out) {
    if (n.size() < 2) {
        return nullptr;
    }
    out.BoxHalfWidth = n[0];
    out.BoxHalfHeight = n[1];
    // Zero or negative half sizes would make a degenerate or clockwise polygon.
    if (!(n[0] > 0.0f && n[1] > 0.0f)) {
        return nullptr;
    }
    out.IsBox = true;
    auto box = std::make_unique<b2PolygonShape>();
    box->SetAsBox(n[0], n[1]);
    return box;
}

std::unique_ptr<b2Shape> BuildPolygon(const std::vector<float>& n) {
    std::vector<b2Vec2> vertices;
    for (size_t i = 0; i + 1 < n.size(); i += 2) {
        vertices.emplace_back(n[i], n[i + 1]);
    }
    if (vertices.size() < 3 || vertices.size() > b2_maxPolygonVertices ||
        !IsConvexCounterClockwise(vertices)) {
        return nullptr;
    }
    auto polygon = std::make_unique<b2PolygonShape>();
    SetPolygonInOrder(*polygon, vertices.data(), static_cast<int>(vertices.size()));
    return polygon;
}

std::unique_ptr<b2Shape> BuildCircle(const std::vector<float>& n) {
    if (!(n[0] > 0.0f)) {
        return nullptr;
    }
    auto circle = std::make_unique<b2CircleShape>();
    circle->m_radius = n[0];
    return circle;
}

Parsed ParseText(std::string_view text);

void AppendNumber(std::string& text, float value) {
    text += ' ';
    text += PropertyText::FormatFloat(value);
}

} // namespace

Parsed Parse(std::string_view text) {
    try {
        return ParseText(text);
    } catch (const std::exception&) {
        // The matcher gives up on texts it finds too complex; they are unreadable like any other.
        return Parsed{};
    }
}

namespace {

Parsed ParseText(std::string_view text) {
    Parsed out;
    const std::string s(text);
    if (!boost::regex_match(s, WholePattern())) {
        return out;
    }
    boost::smatch split;
    if (!boost::regex_match(s, split, SplitPattern())) {
        return out;
    }
    const std::string kind = split[1].str();
    const std::string list = split[2].str();
    std::vector<float> numbers;
    for (boost::sregex_iterator it(list.begin(), list.end(), NumberPattern()), end; it != end; ++it) {
        const std::optional<float> value = PropertyText::ParseFloat((*it)[1].str());
        if (!value) {
            return out;
        }
        numbers.push_back(*value);
    }
    out.Accepted = true;
    if (kind == "Box") {
        out.Shape = BuildBox(numbers, out);
    } else if (kind == "Polygon") {
        out.Shape = BuildPolygon(numbers);
    } else if (kind == "Circle") {
        out.Shape = BuildCircle(numbers);
    }
    // Edge and Chain: the vertex list is read, but a fixture never holds such a shape.
    return out;
}

} // namespace

std::string Format(const b2Shape* shape, bool isBox, float boxHalfWidth, float boxHalfHeight) {
    if (!shape) {
        return {};
    }
    std::string text;
    if (isBox) {
        text = "Box";
        AppendNumber(text, boxHalfWidth);
        AppendNumber(text, boxHalfHeight);
    } else if (shape->GetType() == b2Shape::e_polygon) {
        const auto& polygon = static_cast<const b2PolygonShape&>(*shape);
        text = "Polygon";
        for (int i = 0; i < polygon.m_count; ++i) {
            AppendNumber(text, polygon.m_vertices[i].x);
            AppendNumber(text, polygon.m_vertices[i].y);
        }
    } else if (shape->GetType() == b2Shape::e_circle) {
        text = "Circle";
        AppendNumber(text, shape->m_radius);
    }
    return text;
}

void SetPolygonInOrder(b2PolygonShape& polygon, const b2Vec2* vertices, int count) {
    polygon.m_count = count;
    for (int i = 0; i < count; ++i) {
        polygon.m_vertices[i] = vertices[i];
    }
    for (int i = 0; i < count; ++i) {
        const b2Vec2 edge = vertices[(i + 1) % count] - vertices[i];
        b2Vec2 normal = b2Cross(edge, 1.0f);
        normal.Normalize();
        polygon.m_normals[i] = normal;
    }
    // Area-weighted centre of the triangle fan around the first vertex, taken relative to it for
    // precision far from the origin.
    const b2Vec2 origin = vertices[0];
    b2Vec2 centre(0.0f, 0.0f);
    float area = 0.0f;
    for (int i = 1; i + 1 < count; ++i) {
        const b2Vec2 e1 = vertices[i] - origin;
        const b2Vec2 e2 = vertices[i + 1] - origin;
        const float triangleArea = 0.5f * b2Cross(e1, e2);
        area += triangleArea;
        centre += (triangleArea / 3.0f) * (e1 + e2);
    }
    polygon.m_centroid = origin + (1.0f / area) * centre;
}

void SetMirroredPolygon(b2PolygonShape& mirrored, const b2PolygonShape& source) {
    b2Vec2 vertices[b2_maxPolygonVertices];
    const int n = source.m_count;
    for (int i = 0; i < n; ++i) {
        const b2Vec2 v = source.m_vertices[n - 1 - i];
        vertices[i].Set(-v.x, v.y);
    }
    SetPolygonInOrder(mirrored, vertices, n);
    mirrored.m_radius = source.m_radius;
}

} // namespace ShapeText
