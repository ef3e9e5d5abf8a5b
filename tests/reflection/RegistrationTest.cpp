// Registrations: sub-property layout, proxies, holders, CopyValueTo across field, proxy and text.
#include <gtest/gtest.h>

#include "core/Service.h"
#include "reflection/IEditable.h"
#include "reflection/ResourceLookup.h"

class Texture {
public:
    std::string Name;
};
class BitmapFont {
public:
    std::string Name;
};

namespace {

struct ProxyOwner : IEditable {
    Vector2 pos;
    std::vector<Vector2> setterCalls;
    Vector2 GetPos() const { return pos; }
    void SetPos(const Vector2& v) {
        setterCalls.push_back(v);
        pos = v;
    }
    float speed = 0.0f;
    float GetSpeed() const { return speed; }
    void SetSpeed(float v) { speed = v; }
    Texture* texture = nullptr;
    Texture* GetTexture() const { return texture; }
    void SetTexture(Texture* t) { texture = t; }

    ProxyOwner() {
        RegisterProxyProperty<Vector2>("Pos", this, &ProxyOwner::GetPos, &ProxyOwner::SetPos);
        RegisterProxyProperty<float>("Speed", this, &ProxyOwner::GetSpeed, &ProxyOwner::SetSpeed);
        RegisterProxyProperty<Texture*>("Tex", this, &ProxyOwner::GetTexture, &ProxyOwner::SetTexture);
    }
};

struct Fields : IEditable {
    Vector2 Pos;
    float Speed = 0.0f;
    Color Tint;
    Texture* Tex = nullptr;
    BitmapFont* Font = nullptr;
    int Count = 0;
    Fields() {
        RegisterProperty("Pos", &Pos);
        RegisterProperty("Speed", &Speed);
        RegisterProperty("Tint", &Tint);
        RegisterProperty("Tex", &Tex);
        RegisterProperty("Font", &Font);
        RegisterProperty("Count", &Count);
    }
};

// Installs a texture and a font store for one test.
class ResourceTest : public ::testing::Test, public TextureLookup, public FontLookup {
protected:
    mutable Texture rock{"Rock"};
    mutable BitmapFont big{"Big"};
    Texture* FindTexture(const std::string& n) const override { return n == rock.Name ? &rock : nullptr; }
    std::string TextureName(const Texture& t) const override { return t.Name; }
    BitmapFont* FindFont(const std::string& n) const override { return n == big.Name ? &big : nullptr; }
    std::string FontName(const BitmapFont& f) const override { return f.Name; }
    Service<TextureLookup>::Scoped textureScope{*this};
    Service<FontLookup>::Scoped fontScope{*this};
};

TEST(SubPropertyLayout, PartsNamesAndTypes) {
    Fields f;
    SubProperty x = f.Properties["Pos"]->GetSubProperty("Pos", 0);
    SubProperty y = f.Properties["Pos"]->GetSubProperty("Pos", 1);
    EXPECT_EQ(x.SubName, "X");
    EXPECT_FALSE(x.IsLast);
    EXPECT_EQ(y.SubName, "Y");
    EXPECT_TRUE(y.IsLast);
    EXPECT_EQ(x.ValueType, ValueType::Float);
    EXPECT_EQ(x.PropertyType, ValueType::Vector2);
    EXPECT_EQ(x.PropertyName, "Pos");
    SubProperty a = f.Properties["Tint"]->GetSubProperty("Tint", 0);
    EXPECT_EQ(a.SubName, "A");
    EXPECT_EQ(a.ValueType, ValueType::String);
    EXPECT_EQ(f.Properties["Tint"]->GetSubProperty("Tint", 1).SubName, "Rgb");
    SubProperty count = f.Properties["Count"]->GetSubProperty("Count", 0);
    EXPECT_EQ(count.SubName, "");
    EXPECT_TRUE(count.IsLast);
    EXPECT_EQ(count.ValueType, ValueType::Int);
    EXPECT_EQ(SubPropertyCount(ValueType::Rect), 4);
    EXPECT_STREQ(SubPropertyName(ValueType::Rect, 2), "Width");
    EXPECT_STREQ(SubPropertyName(ValueType::Rect, 3), "Height");
}

TEST(SubPropertyLayout, OutOfRangePartIsBoundToNothing) {
    Fields f;
    SubProperty beyond = f.Properties["Pos"]->GetSubProperty("Pos", 2);
    EXPECT_TRUE(beyond.IsLast);
    EXPECT_EQ(beyond.GetText(), "");
    EXPECT_FALSE(beyond.SetText("1"));
}

TEST(Registering, KeysOrderedByteWiseAndLaterReplaces) {
    Fields f;
    std::vector<std::string> keys;
    for (const auto& [key, reg] : f.Properties)
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"Count", "Font", "Pos", "Speed", "Tex", "Tint"}));
    float other = 3.0f;
    f.RegisterProperty("Speed", &other);
    f.SetPropertyText("Speed", 0, "9");
    EXPECT_EQ(other, 9.0f);
    EXPECT_EQ(f.Speed, 0.0f);
}

TEST(Proxy, VectorPartWriteCallsSetterWithOldOtherComponent) {
    ProxyOwner p;
    p.pos = {1, 2};
    p.SetPropertyText("Pos", 0, "7");
    ASSERT_EQ(p.setterCalls.size(), 1u);
    EXPECT_EQ(p.setterCalls[0], Vector2(7, 2));
    p.SetPropertyText("Pos", 1, "8");
    EXPECT_EQ(p.setterCalls.back(), Vector2(7, 8));
    p.SetPropertyText("Pos", 1, "bad");
    EXPECT_EQ(p.setterCalls.size(), 2u); // a failed parse never reaches the setter
    EXPECT_EQ(p.GetPropertyText("Pos", 0), "7");
}

TEST(Proxy, HoldersAndUnboundAreFieldRegistrations) {
    ProxyOwner p;
    auto holder = p.Properties["Speed"]->CreateHolder();
    EXPECT_TRUE(holder->OwnsValue);
    EXPECT_FALSE(holder->IsProxy);
    EXPECT_EQ(holder->Type, ValueType::Float);
    auto unbound = p.Properties["Pos"]->CreateUnbound();
    EXPECT_FALSE(unbound->OwnsValue);
    EXPECT_EQ(unbound->GetSubProperty("Pos", 0).GetText(), "");
    EXPECT_FALSE(unbound->GetSubProperty("Pos", 0).SetText("1"));
}

TEST(Holders, DefaultValuesAndStringHoldersForReferences) {
    Fields f;
    f.Pos = {5, 5};
    auto pos = f.Properties["Pos"]->CreateHolder();
    EXPECT_EQ(pos->GetSubProperty("Pos", 0).GetText(), "0");
    auto tint = f.Properties["Tint"]->CreateHolder();
    EXPECT_EQ(tint->GetSubProperty("Tint", 1).GetText(), "000000");
    EXPECT_EQ(tint->GetSubProperty("Tint", 0).GetText(), "0");
    EXPECT_EQ(f.Properties["Tex"]->CreateHolder()->Type, ValueType::String);
    EXPECT_EQ(f.Properties["Font"]->CreateHolder()->Type, ValueType::String);
}

TEST(CopyValue, FieldToFieldAndProxyDirectly) {
    Fields a, b;
    ProxyOwner p;
    a.Pos = {3, 4};
    a.Speed = 0.25f;
    a.Properties["Pos"]->CopyValueTo(*b.Properties["Pos"]);
    EXPECT_EQ(b.Pos, Vector2(3, 4));
    a.Properties["Pos"]->CopyValueTo(*p.Properties["Pos"]);
    EXPECT_EQ(p.setterCalls, std::vector<Vector2>{Vector2(3, 4)});
    a.Properties["Speed"]->CopyValueTo(*p.Properties["Speed"]);
    EXPECT_EQ(p.speed, 0.25f);
    p.speed = 2.0f;
    p.Properties["Speed"]->CopyValueTo(*b.Properties["Speed"]);
    EXPECT_EQ(b.Speed, 2.0f);
}

TEST(CopyValue, MismatchedTypesCopyNothing) {
    Fields a;
    a.Count = 3;
    a.Speed = 1.5f;
    a.Properties["Speed"]->CopyValueTo(*a.Properties["Count"]);
    EXPECT_EQ(a.Count, 3);
}

TEST_F(ResourceTest, TextHolderResolvesTextureByName) {
    Fields f;
    ProxyOwner p;
    auto holder = f.Properties["Tex"]->CreateHolder();
    holder->GetSubProperty("Tex", 0).SetText("Rock");
    holder->CopyValueTo(*f.Properties["Tex"]);
    EXPECT_EQ(f.Tex, &rock);
    holder->CopyValueTo(*p.Properties["Tex"]);
    EXPECT_EQ(p.texture, &rock);
    // Back to text: the holder learns the name.
    auto back = f.Properties["Tex"]->CreateHolder();
    f.Properties["Tex"]->CopyValueTo(*back);
    EXPECT_EQ(back->GetSubProperty("Tex", 0).GetText(), "Rock");
}

TEST_F(ResourceTest, UnknownNamesLeaveTheReferenceUnchanged) {
    Fields f;
    f.Tex = &rock;
    EXPECT_FALSE(f.SetPropertyText("Tex", 0, "Sand"));
    EXPECT_EQ(f.Tex, &rock);
    f.SetPropertyText("Font", 0, "Big");
    EXPECT_EQ(f.Font, &big);
    EXPECT_EQ(f.GetPropertyText("Font"), "Big");
    f.Font = nullptr;
    EXPECT_EQ(f.GetPropertyText("Font"), "");
}

TEST(Resources, WithoutStoresNamesFindNothing) {
    Fields f;
    EXPECT_FALSE(f.SetPropertyText("Tex", 0, "Rock"));
    EXPECT_EQ(f.Tex, nullptr);
    Texture t{"Rock"};
    f.Tex = &t;
    EXPECT_EQ(f.GetPropertyText("Tex"), "");
}

} // namespace
