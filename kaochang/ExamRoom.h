#pragma once

#include "arithmetic/AnswerListener.h"
#include "arithmetic/MissListener.h"
#include "arithmetic/Recipe.h"
#include "kaochang/ExamCountdown.h"
#include "kaochang/ExamPaper.h"
#include "kaochang/ExamView.h"

#include <QDateTime>
#include <array>
#include <functional>
#include <utility>


// The exam room: settings, the paper, the timed sitting, hand-in and grading.
// The window forwards its handlers here and shows what this tells it.
class ExamRoom {
public:
    static constexpr int SlotCount = 100;
    static constexpr int SlotsPerPage = 50;
    static constexpr int RunnerStart = 608;
    static constexpr int RunnerEnd = 8;

    explicit ExamRoom(ExamView &view);

    // Told at 判卷 of every answer graded wrong, an empty box too.
    void SetMissListener(MissListener listener) { missListener_ = std::move(listener); }
    // Told at 判卷 of the paper and of every box; not owned.
    void SetAnswerListener(AnswerListener *listener) { answerListener_ = listener; }
    // "课本同步" on the settings panel asks it for a preset.
    void SetPresetChooser(PresetChooser chooser) { presetChooser_ = std::move(chooser); }
    // The next paper comes from the pick's preset, or from the lists.
    void SetPreset(const PresetPick &pick);
    void ChoosePreset();
    // "组卷" on the settings panel asks it for a recipe: a new one, an empty
    // one to go back to the lists, or nothing when the teacher changed
    // nothing.
    using RecipeChooser = std::function<std::optional<Recipe>(const Recipe &current)>;
    void SetRecipeChooser(RecipeChooser chooser) { recipeChooser_ = std::move(chooser); }
    // The next paper comes from the recipe; an empty one gives the lists
    // back. A recipe ends the preset, as a preset ends the recipe.
    void SetRecipe(const Recipe &recipe);
    void ChooseRecipe();
    const Recipe &CurrentRecipe() const { return recipe_; }
    // A remainder left in a box as "7...3" or "7余3" shows as "7……3".
    void AnswerEdited(int slot);
    // The child changed a box: the history keeps when, for each answer.
    void AnswerTyped(int slot);
    // The time of day, for the history; the system's unless a test sets one.
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    void Settings();
    void Apply();
    void Generate();
    void Start();
    void RunnerStep();
    void CountdownTick();
    void AnimationTick();
    void NextPage();
    void PreviousPage();
    void NameEdited(NameBox box, const QString &text);
    void HandIn();
    void Grade();
    // 打印试卷, which is on from the paper's generation but off while the exam
    // runs. Until 判卷 it prints the problems alone, never their answers
    // unless a preset's paper is printed with its answer page.
    void Print();
    // Whether the window may close; refused while an exam runs.
    bool Leave();

    bool PaperReady() const { return paperReady_; }
    bool ExamRunning() const { return examRunning_; }
    int QuestionCount() const { return questionCount_; }
    int ExamMinutes() const { return examMinutes_; }
    int RunnerStepInterval() const { return examMinutes_ * 100; }
    const ExamPaper &Paper() const { return paper_; }
    int ExamRightCount() const { return rightCount_; }
    qint64 Score() const { return score_; }

private:
    void ClearSlots();
    // The unit or recipe the paper is of, for its summary and history.
    QString PaperKind() const;
    void StopTicks();

    ExamView &view_;
    RandomSource source_;
    ExamPaper paper_;
    ExamCountdown countdown_;
    bool paperReady_ = false;
    bool examRunning_ = false;
    bool settingsOpen_ = true;
    int questionCount_ = 0;
    int examMinutes_ = 10;
    int runnerLeft_ = RunnerStart;
    int rightCount_ = 0;
    qint64 score_ = 0;
    // The answers as graded at 判卷, until a new paper or a new sitting.
    std::optional<GradedPaper> graded_;
    MissListener missListener_;
    AnswerListener *answerListener_ = nullptr;
    PresetChooser presetChooser_;
    PresetPick pick_;
    RecipeChooser recipeChooser_;
    Recipe recipe_;
    // The paper on show came from a preset or a recipe: its grading shows
    // the right answers beside the crossed ones, not in the hints alone.
    bool presetPaper_ = false;
    std::function<QDateTime()> clock_ = &QDateTime::currentDateTime;
    QDateTime startedAt_;
    std::array<QDateTime, SlotCount> changedAt_;
};
