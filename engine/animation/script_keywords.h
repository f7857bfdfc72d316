// The script language's keyword table and the lexical rules for keyword, keyframe and comment lines.
#pragma once

#include <cstdint>

// One row of the keyword table: the keyword followed by exactly one blank ("Render "), except the
// comment keyword ";" which has none so that every word beginning with ";" matches it.
struct ScriptKeyword {
  const char* keyword;
  int32_t code;  // 1000 to 1309
};

// 336 rows followed by a row whose keyword is null.
extern const ScriptKeyword script_keywords[];

// Number of rows before the null row.
int32_t script_keyword_count();

// Command codes the runner and interpreter single out.
enum ScriptCode : int32_t {
  kScriptCodeComment = 1000,
  kScriptCodeRender = 1001,
  kScriptCodeRewriteImage = 1177,
  kScriptCodeFirst = 1000,
  kScriptCodeLast = 1309,
};

// Longest line a script may hold (the line buffer holds this many characters and the terminator).
constexpr int32_t kScriptLineMax = 255;

// The code of the line's first word, 0 when the word is not in the table. The line is already cleaned.
int32_t lookup_script_keyword(const char* line);
// 0 when the word matches the table keyword, 1 otherwise (letters compare without regard to case).
int32_t keyword_differs(const char* keyword, const char* word);
// 1 for a keyframe line (first character that is not a blank, TAB, "-" or "+" is a digit), 0 otherwise.
int32_t line_is_numeric(const char* line);
// Copies the first word of the line (up to the first blank, TAB or line end) into word, at most
// word_size - 1 characters; leading blanks and TABs are skipped.
void script_first_word(const char* line, char* word, int32_t word_size);
