// The component model: persistent objects, components owned by a window (or by
// another component) and events as method pointers. Portable: no platform code.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TObject {
 public:
  virtual ~TObject() = default;
};

// An object whose published properties a window description can set.
class TPersistent : public TObject {};

// A component with an owner. The owner destroys what it owns, last created first.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  const std::vector<TComponent*>& Components() const { return components_; }
  // The owned component called name; nullptr when there is none (or name is empty).
  TComponent* FindComponent(const std::string& name) const;
  // Destroys every owned component, last created first.
  void DestroyComponents();

  // The designing state that steps such as a stored-file set's automatic
  // extraction ask for. There is no design environment in this system, so no
  // component is ever in it.
  bool Designing() const { return false; }

  // The after-loading step: called once all stored properties have been read.
  virtual void Loaded() {}

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
};

// An event: a method plus the object it is called on, called synchronously and
// only when assigned. An event bound from a window description also keeps the name
// of its handler, so that writing the component back names the same handler.
template <typename... Args>
class TEvent {
 public:
  TEvent() = default;
  template <class T>
  TEvent(T* object, void (T::*method)(Args...), std::string handlerName = {})
      : object_(object),
        call_([object, method](Args... args) { (object->*method)(args...); }),
        handlerName_(std::move(handlerName)) {}

  bool Assigned() const { return static_cast<bool>(call_); }
  TObject* Object() const { return object_; }
  const std::string& HandlerName() const { return handlerName_; }
  void operator()(Args... args) const {
    if (call_) call_(args...);
  }

 private:
  TObject* object_ = nullptr;
  std::function<void(Args...)> call_;
  std::string handlerName_;
};

using TNotifyEvent = TEvent<TObject*>;
