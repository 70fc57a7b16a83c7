#include "win/ui/accessible_list.h"

#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

#include "win/common/accessible_ids.h"
#include "win/common/wide.h"

namespace wendlix {

struct AccessibleHost::Link {
  HWND Window = nullptr;
  std::function<AccessibleTree()> Tree;
  std::function<void(int)> DoDefault;
};

namespace {

// oleacc is loaded when the first client asks, never at start-up.
template <typename F>
F OleaccFunction(const char* name) {
  static HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
  return oleacc ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(oleacc, name))) : nullptr;
}

LONG RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kToolBar: return ROLE_SYSTEM_TOOLBAR;
    case AccessibleRole::kGrouping: return ROLE_SYSTEM_GROUPING;
    case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kButtonMenu: return ROLE_SYSTEM_BUTTONMENU;
    case AccessibleRole::kList: return ROLE_SYSTEM_LIST;
    case AccessibleRole::kListItem: return ROLE_SYSTEM_LISTITEM;
    case AccessibleRole::kStaticText: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::kEditableText: return ROLE_SYSTEM_TEXT;
    case AccessibleRole::kDialog: return ROLE_SYSTEM_DIALOG;
  }
  return ROLE_SYSTEM_CLIENT;
}

LONG StateOf(std::uint32_t s) {
  static constexpr std::pair<std::uint32_t, LONG> kStates[] = {
      {kAccFocused, STATE_SYSTEM_FOCUSED},         {kAccFocusable, STATE_SYSTEM_FOCUSABLE},
      {kAccHot, STATE_SYSTEM_HOTTRACKED},          {kAccPressed, STATE_SYSTEM_PRESSED},
      {kAccUnavailable, STATE_SYSTEM_UNAVAILABLE}, {kAccOffscreen, STATE_SYSTEM_OFFSCREEN},
      {kAccSelected, STATE_SYSTEM_SELECTED},       {kAccSelectable, STATE_SYSTEM_SELECTABLE},
      {kAccDefault, STATE_SYSTEM_DEFAULT},         {kAccHasPopup, STATE_SYSTEM_HASPOPUP},
      {kAccReadOnly, STATE_SYSTEM_READONLY},
  };
  LONG out = 0;
  for (const auto& [ours, system] : kStates)
    if (s & ours) out |= system;
  return out;
}

HRESULT Text(const std::string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocString(ToWide(text).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetI4(VARIANT* v, LONG value) {
  v->vt = VT_I4;
  v->lVal = value;
}

// The IAccessible of the window's client (scope -1) or of one item holding others, which is also
// its own enumerator of children.
class AccessibleList final : public IAccessible, public IEnumVARIANT {
 public:
  AccessibleList(std::shared_ptr<AccessibleHost::Link> link, int scope)
      : link_(std::move(link)), scope_(scope) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == kIidDispatch || riid == kIidAccessible) {
      *object = static_cast<IAccessible*>(this);
    } else if (riid == kIidEnumVariant) {
      *object = static_cast<IEnumVARIANT*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients use the IAccessible methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return count ? S_OK : E_POINTER;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    if (scope_ >= 0) {
      const AccessibleTree tree = link_->Tree();
      *parent = New(scope_ < static_cast<int>(tree.Items.size()) ? tree.Items[scope_].Parent : -1);
      return S_OK;
    }
    using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    const auto create = OleaccFunction<CreateStd>("CreateStdAccessibleObject");
    if (!create) return S_FALSE;
    return create(link_->Window, OBJID_WINDOW, kIidDispatch, reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<LONG>(Children(link_->Tree()).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const int index = IndexOf(tree, child);
    if (index < 0) return E_INVALIDARG;
    if (!HasChildren(tree, index)) return S_FALSE;
    *out = New(index);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return Field(child, out, &AccessibleItem::Name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return Field(child, out, &AccessibleItem::Value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return Field(child, out, &AccessibleItem::Description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    return Number(child, out, [](const AccessibleItem& i) { return RoleOf(i.Role); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    return Number(child, out, [](const AccessibleItem& i) { return StateOf(i.State); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return Text({}, out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Field(child, out, &AccessibleItem::Shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    return Find(out, [](const AccessibleItem& i) { return (i.State & kAccFocused) != 0; });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    return Find(out, [](const AccessibleItem& i) { return (i.State & kAccSelected) != 0; });
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Field(child, out, &AccessibleItem::DefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT child) override {
    if (!x || !y || !w || !h) return E_POINTER;
    *x = *y = *w = *h = 0;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const AccessibleItem* item = ItemOf(tree, child);
    if (!item) return E_INVALIDARG;
    if (item->Bounds.Width() <= 0 || item->Bounds.Height() <= 0) return S_FALSE;
    POINT corner{item->Bounds.left, item->Bounds.top};
    ClientToScreen(link_->Window, &corner);
    *x = corner.x, *y = corner.y, *w = item->Bounds.Width(), *h = item->Bounds.Height();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const int from = IndexOf(tree, start);
    if (from == -2) return E_INVALIDARG;
    std::vector<int> row;
    int at = -1;
    if (from == scope_ && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD)) {
      row = Children(tree);
      at = direction == NAVDIR_FIRSTCHILD ? 0 : static_cast<int>(row.size()) - 1;
    } else if (from >= 0) {
      // Siblings: the items sharing the start's parent, in order.
      for (int i = 0; i < static_cast<int>(tree.Items.size()); ++i)
        if (tree.Items[i].Parent == tree.Items[from].Parent) row.push_back(i);
      int place = 0;
      while (row[place] != from) ++place;
      const bool next = direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT;
      const bool previous =
          direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT;
      if (next || previous) at = place + (next ? 1 : -1);
    }
    if (at < 0 || at >= static_cast<int>(row.size())) return S_FALSE;
    ChildVariant(tree, row[at], out);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    POINT p{x, y};
    ScreenToClient(link_->Window, &p);
    // Parts come after the part holding them: the last one under the point is the innermost.
    int found = -1;
    for (int i = 0; i < static_cast<int>(tree.Items.size()); ++i) {
      const Rect& r = tree.Items[i].Bounds;
      if (i != scope_ && Inside(tree, i) && p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
        found = i;
    }
    if (found >= 0) {
      ChildVariant(tree, found, out);
    } else {
      const Rect& r = Self(tree).Bounds;
      if (!(p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)) return S_FALSE;
      SetI4(out, CHILDID_SELF);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const int index = IndexOf(tree, child);
    if (index < 0) return E_INVALIDARG;
    if (Self(tree, index).DefaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
    link_->DoDefault(index);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IEnumVARIANT: the children, each a child id or the object of a part holding others.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (!out) return E_POINTER;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const std::vector<int> children = Children(tree);
    ULONG n = 0;
    for (; n < count && cursor_ < children.size(); ++n, ++cursor_)
      ChildVariant(tree, children[cursor_], &out[n]);
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    cursor_ += count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    cursor_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    auto* copy = new AccessibleList(link_, scope_);
    copy->cursor_ = cursor_;
    *out = copy;
    return S_OK;
  }

 private:
  ~AccessibleList() = default;

  bool Alive() const { return static_cast<bool>(link_->Tree); }
  IDispatch* New(int scope) const { return static_cast<IAccessible*>(new AccessibleList(link_, scope)); }

  const AccessibleItem& Self(const AccessibleTree& tree, int index) const {
    return index < 0 ? tree.Self : tree.Items[index];
  }
  const AccessibleItem& Self(const AccessibleTree& tree) const { return Self(tree, scope_); }

  // -1 for CHILDID_SELF (this object's own item), -2 for no item of this tree.
  int IndexOf(const AccessibleTree& tree, const VARIANT& child) const {
    if (child.vt != VT_I4) return -2;
    if (child.lVal == CHILDID_SELF) return scope_ < static_cast<int>(tree.Items.size()) ? scope_ : -2;
    return child.lVal > 0 && child.lVal <= static_cast<LONG>(tree.Items.size()) ? child.lVal - 1 : -2;
  }
  const AccessibleItem* ItemOf(const AccessibleTree& tree, const VARIANT& child) const {
    const int index = IndexOf(tree, child);
    return index == -2 ? nullptr : &Self(tree, index);
  }
  // Whether item `index` lies within this object's part.
  bool Inside(const AccessibleTree& tree, int index) const {
    for (int i = index; i >= 0; i = tree.Items[i].Parent)
      if (tree.Items[i].Parent == scope_) return true;
    return false;
  }
  bool HasChildren(const AccessibleTree& tree, int index) const {
    for (const AccessibleItem& item : tree.Items)
      if (item.Parent == index) return true;
    return false;
  }
  std::vector<int> Children(const AccessibleTree& tree) const {
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(tree.Items.size()); ++i)
      if (tree.Items[i].Parent == scope_) out.push_back(i);
    return out;
  }
  void ChildVariant(const AccessibleTree& tree, int index, VARIANT* out) const {
    if (HasChildren(tree, index)) {
      out->vt = VT_DISPATCH;
      out->pdispVal = New(index);
    } else {
      SetI4(out, index + 1);
    }
  }

  HRESULT Field(const VARIANT& child, BSTR* out, std::string AccessibleItem::*field) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const AccessibleItem* item = ItemOf(tree, child);
    return item ? Text(item->*field, out) : E_INVALIDARG;
  }
  template <typename F>
  HRESULT Number(const VARIANT& child, VARIANT* out, F value) const {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    const AccessibleItem* item = ItemOf(tree, child);
    if (!item) return E_INVALIDARG;
    SetI4(out, value(*item));
    return S_OK;
  }
  // The first item of this part that `match` accepts: itself, or a child id.
  template <typename F>
  HRESULT Find(VARIANT* out, F match) const {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    const AccessibleTree tree = link_->Tree();
    if (match(Self(tree))) {
      SetI4(out, CHILDID_SELF);
      return S_OK;
    }
    for (int i = 0; i < static_cast<int>(tree.Items.size()); ++i) {
      if (i != scope_ && Inside(tree, i) && match(tree.Items[i])) {
        SetI4(out, i + 1);
        return S_OK;
      }
    }
    return S_FALSE;
  }

  std::shared_ptr<AccessibleHost::Link> link_;
  int scope_;
  ULONG refs_ = 1;
  ULONG cursor_ = 0;
};

}  // namespace

AccessibleHost::AccessibleHost(std::function<AccessibleTree()> tree, std::function<void(int)> doDefault)
    : link_(std::make_shared<Link>(Link{nullptr, std::move(tree), std::move(doDefault)})) {}

AccessibleHost::~AccessibleHost() {
  link_->Tree = nullptr;
  link_->DoDefault = nullptr;
}

std::optional<LRESULT> AccessibleHost::GetObject(HWND hwnd, WPARAM wp, LPARAM lp) {
  if (static_cast<LONG>(lp) != OBJID_CLIENT) return std::nullopt;
  using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  const auto fromObject = OleaccFunction<FromObject>("LresultFromObject");
  if (!fromObject) return std::nullopt;
  link_->Window = hwnd;
  IAccessible* object = new AccessibleList(link_, -1);
  const LRESULT result = fromObject(kIidAccessible, wp, object);
  object->Release();
  return result;
}

}  // namespace wendlix
