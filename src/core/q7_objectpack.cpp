#include "core/q7_objectpack.h"

CQ7ObjectPack g_ObjectPack;

CQ7ObjectPack::CQ7ObjectPack() { Call_Initial(); }

void CQ7ObjectPack::Call_Initial() {
    for (int i = 0; i < kSlots; ++i) FreeSlot(i);
    for (int i = 0; i < kMarkers; ++i) {
        slots_[i].ID = i;
        slots_[i].Ob = std::make_unique<CQ7Nop>();
        occupied_[i] = true;
    }
    const int last = kMarkers - 1;
    slots_[0].Prev_Pos = -1;
    slots_[0].Next_Pos = last;
    slots_[last].Prev_Pos = 0;
    slots_[last].Next_Pos = -1;
    for (int j = 1; j < last; ++j) Insert_Down(j, last);
}

std::int32_t CQ7ObjectPack::GetObjectCount() const {
    std::int32_t count = 1;
    for (int a = 0; slots_[a].Next_Pos != -1; a = slots_[a].Next_Pos) ++count;
    return count - kMarkers;
}

std::int32_t CQ7ObjectPack::NewObject(int Layer, VBool Down) {
    const bool down = (Down == VB_TRUE);
    // Appending before marker 0 or prepending after marker 10 would put an
    // object outside the list's ends.
    if (down ? (Layer < 1 || Layer >= kMarkers) : (Layer < 0 || Layer >= kMarkers - 1)) return -1;

    // The cursor stays on the slot it hands out, so the next search tests
    // that slot again first.
    int tries = 0;
    while (occupied_[cursor_]) {
        if (++tries > kSearchMask) return -1;  // one full lap: the pack is full
        cursor_ = (cursor_ + 1) & kSearchMask;
    }
    slots_[cursor_] = CQ7Object{};
    slots_[cursor_].ID = cursor_;
    occupied_[cursor_] = true;
    if (down) {
        Insert_Down(cursor_, Layer);
    } else {
        Insert_UP(cursor_, Layer);
    }
    return cursor_;
}

void CQ7ObjectPack::Call_Events() {
    int a = slots_[0].Next_Pos;
    while (a != -1) {
        if (slots_[a].DeleteMe == VB_TRUE) {
            int n = slots_[a].Next_Pos;
            DeleteObject(a);
            a = n;
        } else if (watch_) {
            CQ7Object& record = slots_[a];
            watch_->BeforeStep(a, *record.Ob);
            record.Call_Events();
            watch_->AfterStep(a, *record.Ob, record.DeleteMe == VB_TRUE);
            a = record.Next_Pos;
        } else {
            slots_[a].Call_Events();
            a = slots_[a].Next_Pos;  // read after the step: it may have linked new objects
        }
    }
}

void CQ7ObjectPack::DeleteObject(std::int32_t slot) {
    int p = slots_[slot].Prev_Pos;
    int n = slots_[slot].Next_Pos;
    slots_[p].Next_Pos = n;
    slots_[n].Prev_Pos = p;
    FreeSlot(slot);
}

void CQ7ObjectPack::FreeSlot(int slot) {
    // Free the record before the object goes, so nothing sees a half-freed slot.
    std::unique_ptr<GameObject> ob = std::move(slots_[slot].Ob);
    slots_[slot] = CQ7Object{};
    occupied_[slot] = false;
}

void CQ7ObjectPack::Insert_UP(int ID, int Layer) {
    int n = slots_[Layer].Next_Pos;
    slots_[Layer].Next_Pos = ID;
    slots_[ID].Prev_Pos = Layer;
    slots_[ID].Next_Pos = n;
    slots_[n].Prev_Pos = ID;
}

void CQ7ObjectPack::Insert_Down(int ID, int Layer) {
    int p = slots_[Layer].Prev_Pos;
    slots_[Layer].Prev_Pos = ID;
    slots_[ID].Next_Pos = Layer;
    slots_[ID].Prev_Pos = p;
    slots_[p].Next_Pos = ID;
}
