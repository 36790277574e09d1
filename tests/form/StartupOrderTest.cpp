// Building the window from its stored description: components are created in
// stored order, references resolved (at once or after the whole read), the
// after-load pass runs the window first and each component after the ones
// stored inside it, and the record set opens in its own step, telling the
// linked controls through DataSource1.

#include <gtest/gtest.h>

#include "controls/DBCheckBox.h"
#include "controls/DBGrid.h"
#include "controls/DBNavigator.h"
#include "controls/DBText.h"
#include "controls/Label.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "form/Form1.h"
#include "form/StoredDescription.h"

namespace {

using Log = std::vector<std::string>;

template <class Base>
class Recorded : public Base {
public:
    template <class... Args>
    explicit Recorded(Log& log, Args&&... args) : Base(std::forward<Args>(args)...), log_(log) {
        log_.push_back(std::string("create ") + this->className());
    }
    void readReference(std::string_view name, TComponent* target) override {
        log_.push_back(this->name() + "." + std::string(name) + " -> " + target->name());
        Base::readReference(name, target);
    }
    void loaded() override {
        log_.push_back("loaded " + this->name());
        Base::loaded();
    }

protected:
    Log& log_;
};

// The record set also says when it opens.
class RecordedClientDataSet : public Recorded<TClientDataSet> {
public:
    RecordedClientDataSet(Log& log, TComponent* owner) : Recorded(log, owner) {
        BeforeOpen = [this](TDataSet&) { log_.push_back("open ClientDataSet1"); };
        AfterOpen = [this](TDataSet&) { log_.push_back("opened ClientDataSet1"); };
    }
};

const char* stateName(TDataSetState state) {
    switch (state) {
        case TDataSetState::dsInactive:
            return "Inactive";
        case TDataSetState::dsBrowse:
            return "Browse";
        case TDataSetState::dsEdit:
            return "Edit";
        case TDataSetState::dsInsert:
            return "Insert";
    }
    return "?";
}

// A link of its own on the data source, first in line, writes down the
// notifications the controls receive. Like a control, it takes a state change
// as such only when the state it sees differs from the one it saw before.
class RecordingLink : public TDataLink {
public:
    explicit RecordingLink(Log& log) : log_(log) {}
    void dataEvent(TDataEvent event, std::intptr_t info) override {
        if (event == TDataEvent::StateChange) {
            const TDataSetState state = dataSource()->state();
            if (state != seen_) {
                log_.push_back(std::string("state change: ") + stateName(state));
                seen_ = state;
            }
        } else {
            log_.push_back("notification " + std::to_string(static_cast<int>(event)));
        }
        TDataLink::dataEvent(event, info);
    }

private:
    Log& log_;
    TDataSetState seen_ = TDataSetState::dsInactive;
};

class RecordedDataSource : public Recorded<TDataSource> {
public:
    RecordedDataSource(Log& log, TComponent* owner) : Recorded(log, owner), link_(log) {
        link_.setDataSource(this);
    }

private:
    RecordingLink link_;
};

class RecordedForm : public TForm1 {
public:
    explicit RecordedForm(Log& log) : log_(log) {}
    void loaded() override {
        log_.push_back("loaded " + name());
        TForm1::loaded();
    }

private:
    Log& log_;
};

template <class T, class... Args>
ComponentRegistry::Factory recorded(Log& log, Args... args) {
    return [&log, args...](TComponent* owner) -> TComponent* { return new T(log, owner, args...); };
}

ComponentRegistry recordingClasses(Log& log) {
    ComponentRegistry classes;
    classes.add("TClientDataSet", recorded<RecordedClientDataSet>(log));
    classes.add("TDataSource", recorded<RecordedDataSource>(log));
    classes.add("TIntegerField", recorded<Recorded<TIntegerField>>(log));
    classes.add("TStringField", recorded<Recorded<TStringField>>(log));
    classes.add("TBooleanField", recorded<Recorded<TBooleanField>>(log));
    classes.add("TLabel", recorded<Recorded<TLabel>>(log));
    classes.add("TDBText", recorded<Recorded<TDBText>>(log));
    classes.add("TDBGrid", recorded<Recorded<TDBGrid>>(log));
    classes.add("TDBCheckBox", recorded<Recorded<TDBCheckBox>>(log));
    classes.add("TDBNavigator", recorded<Recorded<TDBNavigator>>(log));
    return classes;
}

TEST(StartupOrder, CreateResolveLoadOpenNotify) {
    Log log;
    ComponentRegistry classes = recordingClasses(log);
    RecordedForm form(log);
    form.load(storedDescription("TForm1"), classes);
    const Log expected = {
        "create TDBText",
        "create TLabel",
        "create TLabel",
        "create TLabel",
        "create TDBText",
        "create TLabel",
        "create TDBText",
        "create TDBNavigator",
        "create TDBGrid",
        "create TDBCheckBox",
        "create TDBCheckBox",
        "create TDBCheckBox",
        "create TClientDataSet",
        "create TIntegerField",
        "create TStringField",
        "create TBooleanField",
        "create TStringField",
        "create TDataSource",
        // DataSource1's record set exists already: resolved at once.
        "DataSource1.DataSet -> ClientDataSet1",
        // The controls' data source is stored after them: resolved after the whole read.
        "DBText1.DataSource -> DataSource1",
        "DBText2.DataSource -> DataSource1",
        "DBText3.DataSource -> DataSource1",
        "DBNavigator1.DataSource -> DataSource1",
        "DBGrid1.DataSource -> DataSource1",
        "DBCheckBox1.DataSource -> DataSource1",
        "DBCheckBox2.DataSource -> DataSource1",
        "DBCheckBox3.DataSource -> DataSource1",
        "loaded Form1",
        "loaded DBText1",
        "loaded Label1",
        "loaded Label2",
        "loaded Label3",
        "loaded DBText2",
        "loaded Label4",
        "loaded DBText3",
        "loaded DBNavigator1",
        "loaded DBGrid1",
        "loaded DBCheckBox1",
        "loaded DBCheckBox2",
        "loaded DBCheckBox3",
        "loaded ClientDataSet1AInt",
        "loaded ClientDataSet1AStr",
        "loaded ClientDataSet1ABoolean",
        "loaded ClientDataSet1StrShowCheck",
        "loaded ClientDataSet1",
        "open ClientDataSet1",
        "state change: Browse",
        "opened ClientDataSet1",
        "loaded DataSource1",
    };
    EXPECT_EQ(log, expected);
}

}  // namespace
