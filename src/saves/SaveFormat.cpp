#include "saves/SaveFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

using namespace saveformat;

constexpr size_t GridBytes = static_cast<size_t>(SavedGame::Columns) * SavedGame::Rows;

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}

    void Int(int32_t value) {
        const auto u = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            out_.push_back(static_cast<uint8_t>(u >> shift));
        }
    }
    void Float(float value) { Int(static_cast<int32_t>(std::bit_cast<uint32_t>(value))); }
    void Byte(uint8_t value) { out_.push_back(value); }
    void String(const std::string& value) {
        out_.insert(out_.end(), value.begin(), value.end());
        out_.push_back(0);
    }
    void Bytes(const std::vector<uint8_t>& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

private:
    std::vector<uint8_t>& out_;
};

// Reads forward through the file; every read checks it stays inside the current section's end,
// and the first failure records what went wrong and stops all further reads.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes), end_(bytes.size()) {}

    bool Ok() const { return fault_.empty(); }
    const std::string& Fault() const { return fault_; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return end_ - pos_; }

    void Fail(const std::string& what) {
        if (fault_.empty()) {
            fault_ = section_ + ": " + what + " (at byte " + std::to_string(pos_) + ")";
        }
    }
    // The reads that follow belong to this section, which ends at byte end.
    void Section(const char* name, size_t end) {
        section_ = name;
        end_ = end;
    }

    int32_t Int() {
        if (!Need(4)) {
            return 0;
        }
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i) {
            u |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
        }
        pos_ += 4;
        return static_cast<int32_t>(u);
    }
    float Float(const char* what) {
        const float value = std::bit_cast<float>(static_cast<uint32_t>(Int()));
        if (Ok() && !std::isfinite(value)) {
            Fail(std::string(what) + " is not a finite number");
            return 0.0f;
        }
        return value;
    }
    uint8_t Byte() {
        if (!Need(1)) {
            return 0;
        }
        return bytes_[pos_++];
    }
    std::string String(const char* what) {
        if (!Ok()) {
            return {};
        }
        const size_t limit = std::min(Remaining(), MaxNameLength + 1);
        const auto* start = bytes_.data() + pos_;
        const void* zero = std::memchr(start, 0, limit);
        if (!zero) {
            Fail(std::string(what) + (limit == Remaining() ? " runs past the section's end"
                                                           : " is longer than the longest name"));
            return {};
        }
        const size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
        if (length == 0) {
            Fail(std::string(what) + " is empty");
            return {};
        }
        pos_ += length + 1;
        return std::string(reinterpret_cast<const char*>(start), length);
    }
    void Skip(size_t count, std::vector<uint8_t>& into) {
        if (!Need(count)) {
            return;
        }
        into.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + count));
        pos_ += count;
    }

private:
    bool Need(size_t count) {
        if (!Ok()) {
            return false;
        }
        if (Remaining() < count) {
            Fail("ends early");
            return false;
        }
        return true;
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    size_t end_;
    std::string section_ = "header";
    std::string fault_;
};

size_t ThingsSize(const SavedGame& game) {
    size_t size = 0;
    for (const SavedThingGroup& group : game.Groups) {
        size += group.Name.size() + 5 + 12 * group.Things.size();
    }
    return size;
}

} // namespace

std::vector<uint8_t> EncodeSavedGame(const SavedGame& game) {
    const size_t things = ThingsSize(game);
    const size_t unlock = static_cast<size_t>(ThingsOffset) + things;
    const size_t player = unlock + 8 + 4 * game.UnlockCounts.size();

    std::vector<uint8_t> out;
    out.reserve(OffsetBase + player + PlayerSize + 64 * game.Items.size());
    Writer w(out);
    w.Int(GridOffset);
    w.Int(ThingsOffset);
    w.Int(static_cast<int32_t>(unlock));
    w.Int(static_cast<int32_t>(player));

    w.Int(SavedGame::Columns);
    w.Int(SavedGame::Rows);
    std::vector<uint8_t> tiles = game.Tiles;
    tiles.resize(GridBytes, 0);
    w.Bytes(tiles);

    for (const SavedThingGroup& group : game.Groups) {
        w.String(group.Name);
        w.Int(static_cast<int32_t>(group.Things.size()));
        for (const SavedThing& thing : group.Things) {
            w.Float(thing.X);
            w.Float(thing.Y);
            w.Int(thing.Quantity);
        }
    }

    w.Int(game.UnlockedBits);
    w.Int(static_cast<int32_t>(game.UnlockCounts.size()));
    for (int32_t count : game.UnlockCounts) {
        w.Int(count);
    }

    w.Float(game.SubX);
    w.Float(game.SubY);
    w.Float(game.MovementForce);
    w.Int(game.Health);
    w.Int(game.HealthMax);
    w.Int(game.Money);
    w.Int(game.StorageMax);
    w.Int(game.QuickslotCount);
    w.Int(game.OwnedSubs);
    w.Byte(game.BossDefeated ? 1 : 0);

    for (const SavedItem& item : game.Items) {
        w.String(item.Name);
        w.Int(item.Quantity);
    }
    return out;
}

bool CheckSavedGameLimits(const SavedGame& game, std::string& fault) {
    std::vector<uint8_t> perTile(GridBytes, 0);
    std::vector<int> perCell(static_cast<size_t>(ThingCellColumns) * ThingCellRows, 0);
    for (const SavedThingGroup& group : game.Groups) {
        for (const SavedThing& thing : group.Things) {
            // Only a finite position has a tile; the reader refuses any other.
            if (!std::isfinite(thing.X) || !std::isfinite(thing.Y)) {
                fault = "things: a position that is not a finite number";
                return false;
            }
            const float column =
                std::clamp(std::floor(thing.X), 0.0f, static_cast<float>(SavedGame::Columns - 1));
            const float row = std::clamp(-std::ceil(thing.Y), 0.0f, static_cast<float>(SavedGame::Rows - 1));
            const auto c = static_cast<size_t>(column);
            const auto r = static_cast<size_t>(row);
            const size_t cell = r / ThingCellSize * ThingCellColumns + c / ThingCellSize;
            if (++perCell[cell] > MaxThingsPerCell) {
                fault = "things: more than " + std::to_string(MaxThingsPerCell) + " in the " +
                        std::to_string(ThingCellSize) + "-tile square from column " +
                        std::to_string(c / ThingCellSize * ThingCellSize) + ", row " +
                        std::to_string(r / ThingCellSize * ThingCellSize);
                return false;
            }
            if (++perTile[r * SavedGame::Columns + c] > MaxThingsPerTile) {
                fault = "things: more than " + std::to_string(MaxThingsPerTile) + " on the tile at column " +
                        std::to_string(c) + ", row " + std::to_string(r);
                return false;
            }
        }
    }
    return true;
}

bool DecodeSavedGame(std::span<const uint8_t> bytes, SavedGame& game, std::string& fault) {
    game = SavedGame();
    if (bytes.size() > MaxFileSize) {
        fault = "file of " + std::to_string(bytes.size()) + " bytes is larger than any saved game";
        return false;
    }
    Reader r(bytes);
    r.Section("header", bytes.size());
    const int32_t gridOffset = r.Int();
    const int32_t thingsOffset = r.Int();
    const int32_t unlockOffset = r.Int();
    const int32_t playerOffset = r.Int();
    if (r.Ok()) {
        if (gridOffset != GridOffset || thingsOffset != ThingsOffset) {
            r.Fail("grid and things offsets are " + std::to_string(gridOffset) + " and " +
                   std::to_string(thingsOffset) + ", not " + std::to_string(GridOffset) + " and " +
                   std::to_string(ThingsOffset));
        } else if (unlockOffset < ThingsOffset || playerOffset < unlockOffset ||
                   static_cast<size_t>(playerOffset) + OffsetBase + PlayerSize > bytes.size()) {
            r.Fail("unlock and player offsets " + std::to_string(unlockOffset) + " and " +
                   std::to_string(playerOffset) + " do not fit a file of " + std::to_string(bytes.size()) +
                   " bytes");
        }
    }
    if (!r.Ok()) {
        fault = r.Fault();
        return false;
    }
    const size_t thingsStart = OffsetBase + static_cast<size_t>(thingsOffset);
    const size_t unlockStart = OffsetBase + static_cast<size_t>(unlockOffset);
    const size_t playerStart = OffsetBase + static_cast<size_t>(playerOffset);

    r.Section("grid", thingsStart);
    const int32_t width = r.Int();
    const int32_t height = r.Int();
    if (r.Ok() && (width != SavedGame::Columns || height != SavedGame::Rows)) {
        r.Fail("a grid of " + std::to_string(width) + " x " + std::to_string(height) + ", not 150 x 430");
    }
    r.Skip(GridBytes, game.Tiles);

    r.Section("things", unlockStart);
    while (r.Ok() && r.Remaining() > 0) {
        SavedThingGroup group;
        group.Name = r.String("group name");
        const int32_t count = r.Int();
        if (!r.Ok()) {
            break;
        }
        if (!game.Groups.empty() && !(game.Groups.back().Name < group.Name)) {
            r.Fail("group \"" + group.Name + "\" is out of name order");
        } else if (count < 0 || static_cast<size_t>(count) > r.Remaining() / 12) {
            r.Fail("group \"" + group.Name + "\" counts " + std::to_string(count) +
                   " things, more than the section holds");
        }
        for (int32_t i = 0; r.Ok() && i < count; ++i) {
            SavedThing thing;
            thing.X = r.Float("a thing's x");
            thing.Y = r.Float("a thing's y");
            thing.Quantity = r.Int();
            if (r.Ok() && thing.Quantity < 0) {
                r.Fail("a thing of \"" + group.Name + "\" has quantity " + std::to_string(thing.Quantity));
            }
            group.Things.push_back(thing);
        }
        game.Groups.push_back(std::move(group));
    }
    if (r.Ok() && r.Position() != unlockStart) {
        r.Fail("does not end at the unlock offset");
    }

    r.Section("unlock", playerStart);
    game.UnlockedBits = r.Int();
    const int32_t unlocks = r.Int();
    if (r.Ok() && (unlocks < 0 || static_cast<size_t>(unlocks) * 4 != r.Remaining())) {
        r.Fail(std::to_string(unlocks) + " unlock counts do not fill the section up to the player offset");
    }
    for (int32_t i = 0; r.Ok() && i < unlocks; ++i) {
        game.UnlockCounts.push_back(r.Int());
    }

    r.Section("player", bytes.size());
    game.SubX = r.Float("the submarine's x");
    game.SubY = r.Float("the submarine's y");
    game.MovementForce = r.Float("the movement force");
    game.Health = r.Int();
    game.HealthMax = r.Int();
    game.Money = r.Int();
    game.StorageMax = r.Int();
    game.QuickslotCount = r.Int();
    game.OwnedSubs = r.Int();
    const uint8_t boss = r.Byte();
    if (r.Ok() && boss > 1) {
        r.Fail("boss state byte is " + std::to_string(boss));
    }
    game.BossDefeated = boss == 1;

    r.Section("items", bytes.size());
    while (r.Ok() && r.Remaining() > 0) {
        SavedItem item;
        item.Name = r.String("item name");
        item.Quantity = r.Int();
        if (r.Ok() && item.Quantity < 0) {
            r.Fail("item \"" + item.Name + "\" has quantity " + std::to_string(item.Quantity));
        }
        game.Items.push_back(std::move(item));
    }

    if (!r.Ok()) {
        fault = r.Fault();
        return false;
    }
    return CheckSavedGameLimits(game, fault);
}
