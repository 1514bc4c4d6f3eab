-- Neovim's built-in LSP client against vestrel-lsp: open a faulty Korvel program, wait for
-- the diagnostics, check them, fix the text and wait for them to clear.
-- Run by ctest as: nvim --headless -u NONE -c "luafile neovim_client.lua", with
-- VESTREL_LSP (the server) and VESTREL_LSP_WORK (a folder for the program) set.

local function fail(message)
  io.stderr:write('neovim_client: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local function expect(condition, message)
  if not condition then error(message, 2) end
end

local function run()
  local server = os.getenv('VESTREL_LSP')
  local work = os.getenv('VESTREL_LSP_WORK')
  expect(server and work, 'VESTREL_LSP and VESTREL_LSP_WORK must be set')
  vim.fn.mkdir(work, 'p')
  local file = work .. '/faulty.prg'
  vim.fn.writefile({
    'Насосная станция',
    '/насос дв001',
    '/пуск вд001',
    '000. Управление насосом',
    '00 если в пуск',
    '01 тогда в вд01',
    '02 иначе о насос',
  }, file)

  local client_id = vim.lsp.start_client({
    name = 'vestrel',
    cmd = { server },
    root_dir = work,
    init_options = { debounceMs = 50 },
  })
  expect(client_id, 'the client did not start')
  vim.cmd('edit ' .. vim.fn.fnameescape(file))
  local buffer = vim.api.nvim_get_current_buf()
  vim.lsp.buf_attach_client(buffer, client_id)

  -- The faulty line: "вд01" has too few digits (message 4 at its first character).
  expect(vim.wait(10000, function() return #vim.diagnostic.get(buffer) > 0 end, 20),
         'no diagnostics arrived for the faulty program')
  local diagnostics = vim.diagnostic.get(buffer)
  expect(#diagnostics == 1, 'expected one diagnostic, got ' .. #diagnostics)
  local d = diagnostics[1]
  expect(d.lnum == 5, 'the diagnostic is on line ' .. d.lnum .. ', not 5')
  -- The server counts UTF-16 units (11..15); Neovim turns them into the bytes of the
  -- line, where "вд01" takes bytes 17..23.
  expect(d.col == 17 and d.end_col == 23, 'the diagnostic covers bytes ' .. d.col .. '..' .. d.end_col)
  expect(d.severity == vim.diagnostic.severity.ERROR, 'the diagnostic is not an error')
  expect(d.message == 'Ошибка!!! (6,12).Неизвестная переменная', 'unexpected message: ' .. d.message)
  expect(d.source == 'vestrel', 'unexpected source: ' .. tostring(d.source))

  -- Hover on the macro name of line 7 (0-based 6), through the same client.
  local answers = vim.lsp.buf_request_sync(buffer, 'textDocument/hover', {
    textDocument = { uri = vim.uri_from_bufnr(buffer) },
    position = { line = 6, character = 12 },
  }, 5000)
  expect(answers and answers[client_id] and answers[client_id].result, 'no hover answer')
  local hover = answers[client_id].result.contents.value
  expect(hover == '**насос** — макрос, обозначает **дв001**\n\n**дв001** — дискретный выход № 001 (1)',
         'unexpected hover: ' .. hover)

  -- Fix the line as a user would; the client sends an incremental change.
  vim.api.nvim_buf_set_text(buffer, 5, 17, 5, 23, { 'насос' })
  expect(vim.wait(10000, function() return #vim.diagnostic.get(buffer) == 0 end, 20),
         'the diagnostics did not clear after the fix')

  -- Break it again with a syntax error, then fix it once more.
  vim.api.nvim_buf_set_lines(buffer, 6, 7, false, { '02 иначе иначе' })
  expect(vim.wait(10000, function() return #vim.diagnostic.get(buffer) > 0 end, 20),
         'no diagnostics after the second fault')
  vim.api.nvim_buf_set_lines(buffer, 6, 7, false, { '02 иначе о насос' })
  expect(vim.wait(10000, function() return #vim.diagnostic.get(buffer) == 0 end, 20),
         'the diagnostics did not clear after the second fix')

  local client = vim.lsp.get_client_by_id(client_id)
  client.stop()
  expect(vim.wait(5000, function() return client.is_stopped() end, 20), 'the server did not stop')
end

local ok, message = pcall(run)
if not ok then fail(tostring(message)) end
vim.cmd('qall!')
